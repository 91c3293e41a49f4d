// SDL's drivers where the system has one to speak of (Windows, a browser page): SDL's own
// choice, nothing to quieten, and a system that always looks after the windows.
#include "frontend/sdl/SdlDrivers.h"

void PreferUsableVideoDriver() {}

void QuietenSoundDriver() {}

void SettleFullscreen(SDL_Window*, bool, const SDL_Rect&) {}
