// SDL's video driver on Linux. Without a Wayland socket named or a runtime directory to find one
// in, SDL's Wayland probe cannot succeed and only leaves libwayland's complaint about
// XDG_RUNTIME_DIR on the terminal: only X11 is tried then.
#include "frontend/sdl/VideoDriver.h"

#include <SDL.h>

void PreferUsableVideoDriver()
{
    if (SDL_getenv("WAYLAND_DISPLAY") == nullptr && SDL_getenv("XDG_RUNTIME_DIR") == nullptr) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
}
