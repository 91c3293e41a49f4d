// Starting SDL's video (see SdlVideo.h).
#include "frontend/sdl/SdlVideo.h"

#include <SDL.h>

#include <cstdio>

#include "frontend/sdl/SdlDrivers.h"

namespace {

constexpr const char* kUncappedVariable = "VANTOR_UNCAPPED_FRAMES";

}  // namespace

bool StartSdlVideo(SdlVideoStart& start, std::string& error)
{
    SDL_SetMainReady();   // main is our own (SDL_MAIN_HANDLED)
    PreferUsableVideoDriver();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0) {
        error = std::string("no display available (") + SDL_GetError() + ")" + kNoDisplayAdvice;
        return false;
    }
    start.sdlStarted = true;
    // SDL falls back to drawing nowhere when there is no display; a player would see nothing.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const std::string chosen = driver != nullptr ? driver : "";
    if ((chosen == "offscreen" || chosen == "dummy") && (asked == nullptr || chosen != asked)) {
        error = std::string("no display available (set DISPLAY or WAYLAND_DISPLAY)") + kNoDisplayAdvice;
        return false;
    }
    start.headlessDriver = chosen == "dummy" || chosen == "offscreen";
    return true;
}

bool UncappedFramesAsked()
{
    const char* setting = SDL_getenv(kUncappedVariable);
    const bool uncapped = setting != nullptr && std::string(setting) == "1";
    if (uncapped) {
        std::fprintf(stderr, "vantor: %s=1: frames are not held to 60 a second\n", kUncappedVariable);
    }
    return uncapped;
}
