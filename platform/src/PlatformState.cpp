// The stand-in's shared state and the host-facing API that sets it.
#include "PlatformState.h"

#include <cstring>

#include "KeyNames.h"
#include "SdlBackend.h"

namespace {

struct State {
    PlatformBackend backend = PlatformBackend::Virtual;
    VirtualDevices devices{};
    BYTE pressedSinceRead[kKeyCount] = {};
    uint64_t focusEpoch = 0;
    int virtualWindow = 0;   // its address is the virtual window's handle
};

State& Shared()
{
    static State state = [] {
        State initial;
        initial.devices.windowFocused = true;
        return initial;
    }();
    return state;
}

void ChangePad(VirtualDevices& devices)
{
    ++devices.packetNumber;
}

}  // namespace

namespace StandIn {

PlatformBackend Backend()
{
    return Shared().backend;
}

VirtualDevices& Virtual()
{
    return Shared().devices;
}

HWND ActiveWindow()
{
    State& state = Shared();
    if (state.backend == PlatformBackend::Sdl) {
        return SdlBackend::ActiveWindow();
    }
    return state.devices.windowFocused ? reinterpret_cast<HWND>(&state.virtualWindow) : nullptr;
}

uint64_t FocusEpoch()
{
    return Shared().focusEpoch;
}

void LoseFocus()
{
    State& state = Shared();
    ++state.focusEpoch;
    // A tap made for the window that lost focus is not carried over to whatever reads next.
    std::memset(state.pressedSinceRead, 0, kKeyCount);
}

void ReadKeys(BYTE (&keys)[kKeyCount])
{
    State& state = Shared();
    if (state.backend == PlatformBackend::Sdl) {
        SdlBackend::ReadKeys(keys);
    } else {
        std::memcpy(keys, state.devices.keys, kKeyCount);
    }
    for (std::size_t code = 0; code < kKeyCount; ++code) {
        keys[code] = static_cast<BYTE>(keys[code] | state.pressedSinceRead[code]);
    }
    std::memset(state.pressedSinceRead, 0, kKeyCount);
}

void LatchKeyPress(BYTE dikCode)
{
    Shared().pressedSinceRead[dikCode] = kKeyDown;
}

DWORD ReadPad(XINPUT_STATE& state)
{
    if (Backend() == PlatformBackend::Sdl) {
        return SdlBackend::ReadPad(state);
    }
    const VirtualDevices& devices = Virtual();
    if (!devices.padConnected) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    state.dwPacketNumber = devices.packetNumber;
    state.Gamepad = devices.pad;
    return ERROR_SUCCESS;
}

}  // namespace StandIn

void PlatformSetBackend(PlatformBackend backend)
{
    State& state = Shared();
    if (backend == state.backend) {
        return;
    }
    if (state.backend == PlatformBackend::Sdl) {
        SdlBackend::Stop();
    }
    state.backend = backend;
    if (backend == PlatformBackend::Sdl) {
        SdlBackend::Start();
    }
    // Devices acquired against the other back end's window lose it.
    StandIn::LoseFocus();
}

PlatformBackend PlatformGetBackend()
{
    return StandIn::Backend();
}

void PlatformSetSdlWindow(SDL_Window* window)
{
    SdlBackend::SetWindow(window);
}

void PlatformVirtualKey(uint8_t dikCode, bool down)
{
    StandIn::Virtual().keys[dikCode] = down ? kKeyDown : 0;
    if (down && StandIn::Backend() == PlatformBackend::Virtual) {
        StandIn::LatchKeyPress(dikCode);
        for (const BYTE modifier : StandIn::kModifierKeys) {
            if (StandIn::Virtual().keys[modifier] == kKeyDown) {
                StandIn::LatchKeyPress(modifier);
            }
        }
    }
}

void PlatformVirtualPadConnected(bool connected)
{
    VirtualDevices& devices = StandIn::Virtual();
    if (devices.padConnected == connected) {
        return;
    }
    devices.padConnected = connected;
    if (!connected) {
        devices.pad = XINPUT_GAMEPAD{};
    }
    ChangePad(devices);
}

void PlatformVirtualPadButton(uint16_t mask, bool down)
{
    VirtualDevices& devices = StandIn::Virtual();
    const WORD buttons = down ? static_cast<WORD>(devices.pad.wButtons | mask)
                              : static_cast<WORD>(devices.pad.wButtons & ~mask);
    if (buttons != devices.pad.wButtons) {
        devices.pad.wButtons = buttons;
        ChangePad(devices);
    }
}

void PlatformVirtualPadStick(int16_t lx, int16_t ly)
{
    VirtualDevices& devices = StandIn::Virtual();
    if (devices.pad.sThumbLX != lx || devices.pad.sThumbLY != ly) {
        devices.pad.sThumbLX = lx;
        devices.pad.sThumbLY = ly;
        ChangePad(devices);
    }
}

void PlatformVirtualSetFocus(bool focused)
{
    VirtualDevices& devices = StandIn::Virtual();
    if (devices.windowFocused && !focused) {
        StandIn::LoseFocus();
    }
    devices.windowFocused = focused;
}

void PlatformVirtualReset()
{
    VirtualDevices& devices = StandIn::Virtual();
    std::memset(devices.keys, 0, sizeof devices.keys);
    std::memset(Shared().pressedSinceRead, 0, kKeyCount);
    PlatformVirtualPadConnected(false);
    devices.pad = XINPUT_GAMEPAD{};
    PlatformVirtualSetFocus(true);
}

int PlatformDikFromName(const char* name)
{
    return KeyNames::DikFromName(name);
}

int PlatformPadButtonFromName(const char* name)
{
    return KeyNames::PadButtonFromName(name);
}
