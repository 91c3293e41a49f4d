// The touch pad (see TouchPad.h): left and right push the left stick all the way, jump, fire and
// pause are the pad's A, B and Start, as a player with a real pad would press them. Which of the
// virtual joystick's buttons and axes SDL reads as those depends on the mapping it gives the
// joystick (the browser build has its own), so they are looked up rather than assumed.
#include "frontend/web/TouchPad.h"

#include <emscripten.h>

#include <SDL.h>

namespace {

constexpr Sint16 kStickLeft = -32768;
constexpr Sint16 kStickRight = 32767;

struct ControlButton {
    CTouchPad::Control control;
    SDL_GameControllerButton button;
};

constexpr ControlButton kButtons[] = {
    {CTouchPad::Jump, SDL_CONTROLLER_BUTTON_A},
    {CTouchPad::Fire, SDL_CONTROLLER_BUTTON_B},
    {CTouchPad::Pause, SDL_CONTROLLER_BUTTON_START},
};

constexpr std::uint32_t Bit(CTouchPad::Control control)
{
    return 1u << control;
}

}  // namespace

void CTouchPad::Press(int control, bool down)
{
    if (control < 0 || control >= static_cast<int>(ControlCount)) {
        return;
    }
    const std::uint32_t bit = Bit(static_cast<Control>(control));
    held = down ? held | bit : held & ~bit;
    tapped = down ? tapped | bit : tapped;
}

void CTouchPad::BeforeFrame()
{
    const std::uint32_t shown = held | tapped;
    tapped = 0;
    if (shown == 0 && controller == nullptr) {
        return;
    }
    if (!Attach()) {
        return;
    }
    SDL_Joystick* joystick = SDL_GameControllerGetJoystick(controller);
    const bool left = (shown & Bit(Left)) != 0;
    const bool right = (shown & Bit(Right)) != 0;
    // Both at once: the stick's centre, as a pad's D-pad reads with both sides held.
    const Sint16 stickX = left == right ? 0 : (left ? kStickLeft : kStickRight);
    const auto stick = SDL_GameControllerGetBindForAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    if (stick.bindType == SDL_CONTROLLER_BINDTYPE_AXIS) {
        SDL_JoystickSetVirtualAxis(joystick, stick.value.axis, stickX);
    }
    for (const ControlButton& entry : kButtons) {
        const auto bind = SDL_GameControllerGetBindForButton(controller, entry.button);
        if (bind.bindType == SDL_CONTROLLER_BINDTYPE_BUTTON) {
            const Uint8 pressed = (shown & Bit(entry.control)) != 0 ? 1 : 0;
            SDL_JoystickSetVirtualButton(joystick, bind.value.button, pressed);
        }
    }
}

bool CTouchPad::Attach()
{
    if (controller != nullptr) {
        return true;
    }
    // The stand-in opens the controllers with the game window; before that there is no pad.
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
        return false;
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Touch controls";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) {
        return false;
    }
    controller = SDL_GameControllerOpen(index);
    if (controller == nullptr) {
        SDL_JoystickDetachVirtual(index);
    }
    return controller != nullptr;
}

CTouchPad& PageTouchPad()
{
    static CTouchPad pad;
    return pad;
}

// Called by the page's touch controls (web/touch.js).
extern "C" EMSCRIPTEN_KEEPALIVE void vantor_touch(int control, int down)
{
    PageTouchPad().Press(control, down != 0);
}
