// The stand-in without SDL, for a program that carries its own controller to the virtual pad
// (the RetroArch core, which must not start SDL inside its frontend's process): choosing the SDL
// back end there gives no keyboard, no pad and no window.
#include "SdlBackend.h"

#include <algorithm>
#include <iterator>

namespace SdlBackend {

void Start() {}

void Stop() {}

void SetWindow(SDL_Window*) {}

HWND ActiveWindow()
{
    return nullptr;
}

void ReadKeys(BYTE (&keys)[kKeyCount])
{
    std::fill(std::begin(keys), std::end(keys), BYTE{0});
}

DWORD ReadPad(XINPUT_STATE&)
{
    return ERROR_DEVICE_NOT_CONNECTED;
}

BYTE DikFromScancode(int)
{
    return 0;
}

}  // namespace SdlBackend
