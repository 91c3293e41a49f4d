// The stand-in's SDL2 back end: the real keyboard by scan code, the first game controller as an
// XInput pad, and the focus of the host's game window.
#pragma once

#include <cstddef>

#include "PlatformState.h"

struct SDL_Window;

namespace SdlBackend {

// Opens and closes SDL's game controller subsystem as the back end is chosen or left.
void Start();
void Stop();

// The game window; its focus is followed from SDL's window events. Null for none.
void SetWindow(SDL_Window* window);

// The game window while it has input focus, else null.
HWND ActiveWindow();

void ReadKeys(BYTE (&keys)[kKeyCount]);
DWORD ReadPad(XINPUT_STATE& state);

// The DIK_ code of an SDL scan code; 0 for a key DirectInput has no code for.
BYTE DikFromScancode(int scancode);

}  // namespace SdlBackend
