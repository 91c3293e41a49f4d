// The stand-in's shared state, the one "system" that the host and the input plug-in both see:
// which back end the devices read, the virtual keyboard, pad and window, and the focus epoch
// that tells a foreground device it lost the window since it was acquired.
#pragma once

#include <cstddef>
#include <cstdint>

#include <dinput.h>
#include <xinput.h>

#include "VantorPlatform.h"

inline constexpr std::size_t kKeyCount = 256;
inline constexpr BYTE kKeyDown = 0x80;

struct VirtualDevices {
    BYTE keys[kKeyCount];    // kKeyDown or 0, by DIK_ code
    bool padConnected;
    XINPUT_GAMEPAD pad;
    DWORD packetNumber;      // changes with every change of the pad's state
    bool windowFocused;
};

namespace StandIn {

PlatformBackend Backend();
VirtualDevices& Virtual();

// The game window while it has focus under the current back end; null otherwise.
HWND ActiveWindow();

// Changes with every focus loss of the game window and every change of back end or window.
uint64_t FocusEpoch();
void LoseFocus();

// The keyboard of the current back end: kKeyDown at each DIK_ code that is down, or that went
// down since the last read (a tap shorter than a frame is still seen once). The read consumes
// those latched presses.
void ReadKeys(BYTE (&keys)[kKeyCount]);

// A key of the current back end went down: it reads as down at the next ReadKeys even if it is
// released before then. Each back end latches the modifiers held at that moment with it, so that
// a quick Alt+Enter is never read as Enter alone.
void LatchKeyPress(BYTE dikCode);

// The modifier keys (Alt, Ctrl, Shift, left and right).
inline constexpr BYTE kModifierKeys[] = {DIK_LMENU, DIK_RMENU, DIK_LCONTROL, DIK_RCONTROL, DIK_LSHIFT, DIK_RSHIFT};

// The first pad of the current back end, as XInputGetState answers for user index 0.
DWORD ReadPad(XINPUT_STATE& state);

}  // namespace StandIn
