// SDL's drivers where the system has one to speak of (Windows, a browser page): SDL's own
// choice, and nothing to quieten.
#include "frontend/sdl/SdlDrivers.h"

void PreferUsableVideoDriver() {}

void QuietenSoundDriver() {}
