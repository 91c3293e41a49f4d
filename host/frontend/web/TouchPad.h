// The page's touch controls as a game controller: a virtual SDL controller, which the stand-in
// platform reads as the first pad like any real one, so that the input plug-in turns it into the
// game's actions. Attached on the first touch, so that a page played with a real pad and no
// touch screen keeps reading that pad.
#pragma once

#include <cstdint>

#include <SDL_gamecontroller.h>

class CTouchPad {
public:
    // The page's controls, numbered as web/touch.js sends them.
    enum Control : unsigned { Left, Right, Jump, Fire, Pause, ControlCount };

    // A control went down or up on the page. Out-of-range numbers are ignored.
    void Press(int control, bool down);
    // Hands the controls to SDL before it pumps the frame's events: the held ones, and those
    // tapped and already let go since the last frame, so that a tap shorter than a frame is
    // still seen once.
    void BeforeFrame();

private:
    bool Attach();

    SDL_GameController* controller = nullptr;
    std::uint32_t held = 0;     // bit per Control
    std::uint32_t tapped = 0;   // went down since the last frame
};

// The page's one touch pad, living as long as the page.
CTouchPad& PageTouchPad();
