// SDL's video driver where the system has one to speak of (Windows, a browser page): SDL's own
// choice.
#include "frontend/sdl/VideoDriver.h"

void PreferUsableVideoDriver() {}
