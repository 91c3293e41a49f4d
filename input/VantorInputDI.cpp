// The input object over DirectInput 8 and XInput.
#include "VantorInputDI.h"

#include <cstring>

#include "ActionMapping.h"
#include "XInputBinding.h"

namespace {

// The keyboard binds to the game window and is read only while that window is in front.
constexpr DWORD kKeyboardCooperation = DISCL_EXCLUSIVE | DISCL_FOREGROUND;
constexpr DWORD kFirstGamepad = 0;

bool Failed(HRESULT result)
{
    return result < 0;
}

}  // namespace

bool CVantorInputDI::Initialize(CVantorEngine* hostEngine)
{
    engine = hostEngine;

    // The executable's instance, not this library's.
    if (Failed(DirectInput8Create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W,
                                  reinterpret_cast<LPVOID*>(&directInput), nullptr))) {
        return false;
    }
    if (Failed(directInput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr))) {
        ReleaseDevices();
        return false;
    }
    if (Failed(directInput->CreateDevice(GUID_SysMouse, &mouse, nullptr))) {
        ReleaseDevices();
        return false;
    }

    // A keyboard that cannot be set up or acquired now is acquired again by the next Poll.
    keyboard->SetDataFormat(&c_dfDIKeyboard);
    keyboard->SetCooperativeLevel(GetActiveWindow(), kKeyboardCooperation);
    keyboard->Acquire();
    return true;
}

void CVantorInputDI::AcquireMouse()
{
    if (mouse != nullptr) {
        mouse->Acquire();
    }
    mouseAcquired = true;
}

void CVantorInputDI::UnacquireMouse()
{
    if (mouse != nullptr) {
        mouse->Unacquire();
    }
    mouseAcquired = false;
}

void CVantorInputDI::Poll()
{
    // Without a successful Initialize there is nothing to read and nowhere to post.
    if (keyboard == nullptr || engine == nullptr) {
        return;
    }

    // The keyboard's posts go out before the pad is read, so each half is mapped on its own.
    BYTE keys[kKeyboardStateSize];
    const BYTE* keyboardState = keys;
    if (Failed(keyboard->GetDeviceState(sizeof keys, keys))) {
        // Lost or never acquired: try once; the keys come back with a later poll.
        keyboard->Acquire();
        keyboardState = nullptr;
    }
    PostInputActions(*engine, keyboardState, nullptr);

    XINPUT_STATE state;
    std::memset(&state, 0, sizeof state);
    const bool padRead = XInputBindingGetState(kFirstGamepad, &state) == ERROR_SUCCESS;
    PostInputActions(*engine, nullptr, padRead ? &state.Gamepad : nullptr);
}

void CVantorInputDI::ReleaseDevices()
{
    if (keyboard != nullptr) {
        keyboard->Unacquire();
        keyboard->Release();
        keyboard = nullptr;
    }
    if (mouse != nullptr) {
        mouse->Unacquire();
        mouse->Release();
        mouse = nullptr;
    }
    if (directInput != nullptr) {
        directInput->Release();
        directInput = nullptr;
    }
}
