// The SDL2 back end. Keys are read by physical position (scan code), as DirectInput reads them;
// the pad is the first attached game controller with SDL's y axis turned to XInput's "up is
// positive"; the game window's focus and key presses are followed through an event watch, so
// that a focus lost and regained, or a key tapped, between two reads is not missed.
#include "SdlBackend.h"

#include <algorithm>
#include <iterator>

#include <SDL.h>

namespace {

struct ScancodeDik {
    SDL_Scancode scancode;
    BYTE dik;
};

constexpr ScancodeDik kScancodes[] = {
    {SDL_SCANCODE_ESCAPE, DIK_ESCAPE}, {SDL_SCANCODE_1, DIK_1}, {SDL_SCANCODE_2, DIK_2},
    {SDL_SCANCODE_3, DIK_3}, {SDL_SCANCODE_4, DIK_4}, {SDL_SCANCODE_5, DIK_5},
    {SDL_SCANCODE_6, DIK_6}, {SDL_SCANCODE_7, DIK_7}, {SDL_SCANCODE_8, DIK_8},
    {SDL_SCANCODE_9, DIK_9}, {SDL_SCANCODE_0, DIK_0}, {SDL_SCANCODE_MINUS, DIK_MINUS},
    {SDL_SCANCODE_EQUALS, DIK_EQUALS}, {SDL_SCANCODE_BACKSPACE, DIK_BACK}, {SDL_SCANCODE_TAB, DIK_TAB},
    {SDL_SCANCODE_Q, DIK_Q}, {SDL_SCANCODE_W, DIK_W}, {SDL_SCANCODE_E, DIK_E},
    {SDL_SCANCODE_R, DIK_R}, {SDL_SCANCODE_T, DIK_T}, {SDL_SCANCODE_Y, DIK_Y},
    {SDL_SCANCODE_U, DIK_U}, {SDL_SCANCODE_I, DIK_I}, {SDL_SCANCODE_O, DIK_O},
    {SDL_SCANCODE_P, DIK_P}, {SDL_SCANCODE_LEFTBRACKET, DIK_LBRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, DIK_RBRACKET}, {SDL_SCANCODE_RETURN, DIK_RETURN},
    {SDL_SCANCODE_LCTRL, DIK_LCONTROL}, {SDL_SCANCODE_A, DIK_A}, {SDL_SCANCODE_S, DIK_S},
    {SDL_SCANCODE_D, DIK_D}, {SDL_SCANCODE_F, DIK_F}, {SDL_SCANCODE_G, DIK_G},
    {SDL_SCANCODE_H, DIK_H}, {SDL_SCANCODE_J, DIK_J}, {SDL_SCANCODE_K, DIK_K},
    {SDL_SCANCODE_L, DIK_L}, {SDL_SCANCODE_SEMICOLON, DIK_SEMICOLON},
    {SDL_SCANCODE_APOSTROPHE, DIK_APOSTROPHE}, {SDL_SCANCODE_GRAVE, DIK_GRAVE},
    {SDL_SCANCODE_LSHIFT, DIK_LSHIFT}, {SDL_SCANCODE_BACKSLASH, DIK_BACKSLASH},
    {SDL_SCANCODE_NONUSHASH, DIK_BACKSLASH}, {SDL_SCANCODE_Z, DIK_Z}, {SDL_SCANCODE_X, DIK_X},
    {SDL_SCANCODE_C, DIK_C}, {SDL_SCANCODE_V, DIK_V}, {SDL_SCANCODE_B, DIK_B},
    {SDL_SCANCODE_N, DIK_N}, {SDL_SCANCODE_M, DIK_M}, {SDL_SCANCODE_COMMA, DIK_COMMA},
    {SDL_SCANCODE_PERIOD, DIK_PERIOD}, {SDL_SCANCODE_SLASH, DIK_SLASH},
    {SDL_SCANCODE_RSHIFT, DIK_RSHIFT}, {SDL_SCANCODE_KP_MULTIPLY, DIK_MULTIPLY},
    {SDL_SCANCODE_LALT, DIK_LMENU}, {SDL_SCANCODE_SPACE, DIK_SPACE},
    {SDL_SCANCODE_CAPSLOCK, DIK_CAPITAL}, {SDL_SCANCODE_F1, DIK_F1}, {SDL_SCANCODE_F2, DIK_F2},
    {SDL_SCANCODE_F3, DIK_F3}, {SDL_SCANCODE_F4, DIK_F4}, {SDL_SCANCODE_F5, DIK_F5},
    {SDL_SCANCODE_F6, DIK_F6}, {SDL_SCANCODE_F7, DIK_F7}, {SDL_SCANCODE_F8, DIK_F8},
    {SDL_SCANCODE_F9, DIK_F9}, {SDL_SCANCODE_F10, DIK_F10},
    {SDL_SCANCODE_NUMLOCKCLEAR, DIK_NUMLOCK}, {SDL_SCANCODE_SCROLLLOCK, DIK_SCROLL},
    {SDL_SCANCODE_KP_7, DIK_NUMPAD7}, {SDL_SCANCODE_KP_8, DIK_NUMPAD8},
    {SDL_SCANCODE_KP_9, DIK_NUMPAD9}, {SDL_SCANCODE_KP_MINUS, DIK_SUBTRACT},
    {SDL_SCANCODE_KP_4, DIK_NUMPAD4}, {SDL_SCANCODE_KP_5, DIK_NUMPAD5},
    {SDL_SCANCODE_KP_6, DIK_NUMPAD6}, {SDL_SCANCODE_KP_PLUS, DIK_ADD},
    {SDL_SCANCODE_KP_1, DIK_NUMPAD1}, {SDL_SCANCODE_KP_2, DIK_NUMPAD2},
    {SDL_SCANCODE_KP_3, DIK_NUMPAD3}, {SDL_SCANCODE_KP_0, DIK_NUMPAD0},
    {SDL_SCANCODE_KP_PERIOD, DIK_DECIMAL}, {SDL_SCANCODE_NONUSBACKSLASH, DIK_OEM_102},
    {SDL_SCANCODE_F11, DIK_F11}, {SDL_SCANCODE_F12, DIK_F12}, {SDL_SCANCODE_F13, DIK_F13},
    {SDL_SCANCODE_F14, DIK_F14}, {SDL_SCANCODE_F15, DIK_F15},
    {SDL_SCANCODE_INTERNATIONAL2, DIK_KANA}, {SDL_SCANCODE_INTERNATIONAL1, DIK_ABNT_C1},
    {SDL_SCANCODE_INTERNATIONAL4, DIK_CONVERT}, {SDL_SCANCODE_INTERNATIONAL5, DIK_NOCONVERT},
    {SDL_SCANCODE_INTERNATIONAL3, DIK_YEN}, {SDL_SCANCODE_KP_EQUALS, DIK_NUMPADEQUALS},
    {SDL_SCANCODE_AUDIONEXT, DIK_NEXTTRACK}, {SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER},
    {SDL_SCANCODE_RCTRL, DIK_RCONTROL}, {SDL_SCANCODE_AUDIOMUTE, DIK_MUTE},
    {SDL_SCANCODE_CALCULATOR, DIK_CALCULATOR}, {SDL_SCANCODE_AUDIOPLAY, DIK_PLAYPAUSE},
    {SDL_SCANCODE_AUDIOSTOP, DIK_MEDIASTOP}, {SDL_SCANCODE_VOLUMEDOWN, DIK_VOLUMEDOWN},
    {SDL_SCANCODE_VOLUMEUP, DIK_VOLUMEUP}, {SDL_SCANCODE_AC_HOME, DIK_WEBHOME},
    {SDL_SCANCODE_KP_COMMA, DIK_NUMPADCOMMA}, {SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE},
    {SDL_SCANCODE_PRINTSCREEN, DIK_SYSRQ}, {SDL_SCANCODE_RALT, DIK_RMENU},
    {SDL_SCANCODE_PAUSE, DIK_PAUSE}, {SDL_SCANCODE_HOME, DIK_HOME}, {SDL_SCANCODE_UP, DIK_UP},
    {SDL_SCANCODE_PAGEUP, DIK_PRIOR}, {SDL_SCANCODE_LEFT, DIK_LEFT},
    {SDL_SCANCODE_RIGHT, DIK_RIGHT}, {SDL_SCANCODE_END, DIK_END}, {SDL_SCANCODE_DOWN, DIK_DOWN},
    {SDL_SCANCODE_PAGEDOWN, DIK_NEXT}, {SDL_SCANCODE_INSERT, DIK_INSERT},
    {SDL_SCANCODE_DELETE, DIK_DELETE}, {SDL_SCANCODE_LGUI, DIK_LWIN}, {SDL_SCANCODE_RGUI, DIK_RWIN},
    {SDL_SCANCODE_APPLICATION, DIK_APPS}, {SDL_SCANCODE_POWER, DIK_POWER},
    {SDL_SCANCODE_SLEEP, DIK_SLEEP}, {SDL_SCANCODE_AC_SEARCH, DIK_WEBSEARCH},
    {SDL_SCANCODE_AC_BOOKMARKS, DIK_WEBFAVORITES}, {SDL_SCANCODE_AC_REFRESH, DIK_WEBREFRESH},
    {SDL_SCANCODE_AC_STOP, DIK_WEBSTOP}, {SDL_SCANCODE_AC_FORWARD, DIK_WEBFORWARD},
    {SDL_SCANCODE_AC_BACK, DIK_WEBBACK}, {SDL_SCANCODE_COMPUTER, DIK_MYCOMPUTER},
    {SDL_SCANCODE_MAIL, DIK_MAIL}, {SDL_SCANCODE_MEDIASELECT, DIK_MEDIASELECT},
};

struct ButtonMask {
    SDL_GameControllerButton button;
    WORD mask;
};

constexpr ButtonMask kButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT},
    {SDL_CONTROLLER_BUTTON_START, XINPUT_GAMEPAD_START},
    {SDL_CONTROLLER_BUTTON_BACK, XINPUT_GAMEPAD_BACK},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, XINPUT_GAMEPAD_LEFT_THUMB},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, XINPUT_GAMEPAD_RIGHT_THUMB},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, XINPUT_GAMEPAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_A, XINPUT_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, XINPUT_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, XINPUT_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, XINPUT_GAMEPAD_Y},
};

constexpr int kTriggerMax = 32767;
constexpr int kTriggerBytesMax = 255;

struct SdlState {
    Uint32 windowId = 0;          // 0: no game window
    bool windowFocused = false;
    bool watching = false;
    bool controllersStarted = false;
    SDL_GameController* controller = nullptr;
    XINPUT_GAMEPAD lastPad{};
    DWORD packetNumber = 0;
};

SdlState& Sdl()
{
    static SdlState state;
    return state;
}

int WatchWindow(void*, SDL_Event* event)
{
    SdlState& state = Sdl();
    if (state.windowId == 0) {
        return 1;
    }
    // Keyboard state is read once a frame; a key pressed and released within one pump of the
    // events would be missed by that read, so the press is latched as it arrives.
    if (event->type == SDL_KEYDOWN && event->key.repeat == 0 && event->key.windowID == state.windowId &&
        StandIn::Backend() == PlatformBackend::Sdl) {
        const BYTE dik = SdlBackend::DikFromScancode(event->key.keysym.scancode);
        if (dik != 0) {
            StandIn::LatchKeyPress(dik);
            // The modifiers held with it, as the event tells them.
            const struct {
                Uint16 mod;
                BYTE dik;
            } modifiers[] = {{KMOD_LALT, DIK_LMENU},    {KMOD_RALT, DIK_RMENU},   {KMOD_LCTRL, DIK_LCONTROL},
                             {KMOD_RCTRL, DIK_RCONTROL}, {KMOD_LSHIFT, DIK_LSHIFT}, {KMOD_RSHIFT, DIK_RSHIFT}};
            for (const auto& modifier : modifiers) {
                if ((event->key.keysym.mod & modifier.mod) != 0) {
                    StandIn::LatchKeyPress(modifier.dik);
                }
            }
        }
        return 1;
    }
    if (event->type != SDL_WINDOWEVENT || event->window.windowID != state.windowId) {
        return 1;
    }
    if (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        state.windowFocused = true;
    } else if (event->window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        state.windowFocused = false;
        StandIn::LoseFocus();
    }
    return 1;
}

// True while SDL's controller subsystem is up; a host that quits SDL closes our controller.
bool ControllersUp(SdlState& state)
{
    if (state.controllersStarted && SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
        state.controllersStarted = false;
        state.controller = nullptr;
    }
    return state.controllersStarted;
}

void CloseController(SdlState& state)
{
    if (state.controller != nullptr && ControllersUp(state)) {
        SDL_GameControllerClose(state.controller);
    }
    state.controller = nullptr;
}

// The first attached game controller, opened on first use and again after it was unplugged.
SDL_GameController* FirstController(SdlState& state)
{
    if (!ControllersUp(state)) {
        return nullptr;
    }
    if (state.controller != nullptr && SDL_GameControllerGetAttached(state.controller) == SDL_TRUE) {
        return state.controller;
    }
    CloseController(state);
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count && state.controller == nullptr; ++index) {
        if (SDL_IsGameController(index) == SDL_TRUE) {
            state.controller = SDL_GameControllerOpen(index);
        }
    }
    return state.controller;
}

SHORT AxisUp(Sint16 sdlDown)
{
    // SDL's y grows downward; -(-32768) does not fit, so the top end is 32767.
    return static_cast<SHORT>(std::min(-static_cast<int>(sdlDown), 32767));
}

BYTE Trigger(Sint16 value)
{
    const int clamped = std::clamp(static_cast<int>(value), 0, kTriggerMax);
    return static_cast<BYTE>(clamped * kTriggerBytesMax / kTriggerMax);
}

bool SamePad(const XINPUT_GAMEPAD& a, const XINPUT_GAMEPAD& b)
{
    return a.wButtons == b.wButtons && a.bLeftTrigger == b.bLeftTrigger &&
           a.bRightTrigger == b.bRightTrigger && a.sThumbLX == b.sThumbLX &&
           a.sThumbLY == b.sThumbLY && a.sThumbRX == b.sThumbRX && a.sThumbRY == b.sThumbRY;
}

}  // namespace

namespace SdlBackend {

void Start()
{
    SdlState& state = Sdl();
    if (!state.controllersStarted) {
        // XInput reads the pad whichever window is in front; so does the stand-in.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        // Without controller support there is simply no pad.
        state.controllersStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    }
}

void Stop()
{
    SdlState& state = Sdl();
    CloseController(state);
    if (ControllersUp(state)) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        state.controllersStarted = false;
    }
}

void SetWindow(SDL_Window* window)
{
    SdlState& state = Sdl();
    if (state.watching) {
        SDL_DelEventWatch(WatchWindow, nullptr);
        state.watching = false;
    }
    if (state.windowId != 0) {
        StandIn::LoseFocus();
    }
    state.windowId = window != nullptr ? SDL_GetWindowID(window) : 0;
    state.windowFocused = window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
    if (state.windowId != 0) {
        SDL_AddEventWatch(WatchWindow, nullptr);
        state.watching = true;
    }
}

HWND ActiveWindow()
{
    const SdlState& state = Sdl();
    if (state.windowId == 0 || !state.windowFocused) {
        return nullptr;
    }
    // Looked up by id, so that a window the host destroyed is never handed out.
    return reinterpret_cast<HWND>(SDL_GetWindowFromID(state.windowId));
}

void ReadKeys(BYTE (&keys)[kKeyCount])
{
    std::fill(std::begin(keys), std::end(keys), BYTE{0});
    int count = 0;
    const Uint8* sdlKeys = SDL_GetKeyboardState(&count);
    if (sdlKeys == nullptr) {
        return;
    }
    for (const ScancodeDik& entry : kScancodes) {
        if (entry.scancode < count && sdlKeys[entry.scancode] != 0) {
            keys[entry.dik] = kKeyDown;
        }
    }
}

DWORD ReadPad(XINPUT_STATE& out)
{
    SdlState& state = Sdl();
    SDL_GameController* controller = FirstController(state);
    if (controller == nullptr) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    XINPUT_GAMEPAD pad{};
    for (const ButtonMask& entry : kButtons) {
        if (SDL_GameControllerGetButton(controller, entry.button) != 0) {
            pad.wButtons = static_cast<WORD>(pad.wButtons | entry.mask);
        }
    }
    pad.bLeftTrigger = Trigger(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    pad.bRightTrigger = Trigger(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    pad.sThumbLX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    pad.sThumbLY = AxisUp(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    pad.sThumbRX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTX);
    pad.sThumbRY = AxisUp(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTY));
    if (!SamePad(pad, state.lastPad)) {
        state.lastPad = pad;
        ++state.packetNumber;
    }
    out.dwPacketNumber = state.packetNumber;
    out.Gamepad = pad;
    return ERROR_SUCCESS;
}

BYTE DikFromScancode(int scancode)
{
    for (const ScancodeDik& entry : kScancodes) {
        if (entry.scancode == scancode) {
            return entry.dik;
        }
    }
    return 0;
}

}  // namespace SdlBackend
