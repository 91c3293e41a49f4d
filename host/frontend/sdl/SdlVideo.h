// Starting SDL's video for the window front end, and what the environment asks of the window.
#pragma once

#include <string>

struct SdlVideoStart {
    bool sdlStarted = false;       // SDL_Init succeeded: SDL_Quit is owed
    bool headlessDriver = false;   // the dummy or offscreen video driver, asked for by name
};

// What a player without a display can do instead: a headless run plays nobody's game.
inline constexpr const char* kNoDisplayAdvice =
    "; play it on a desktop, or in a web browser (scripts/web builds and serves the page)";

// Starts SDL's video, events and game controllers, and checks that the picture reaches a
// display; false with a line for the player saying what to do instead.
bool StartSdlVideo(SdlVideoStart& start, std::string& error);

// Whether VANTOR_UNCAPPED_FRAMES=1 asks frames not to be held to 60 a second without vsync (for
// measuring how fast the host can draw, never for play); says so on the error stream when it does.
bool UncappedFramesAsked();
