// SDL's drivers on Linux: Wayland or X11 for video, ALSA (under PulseAudio or PipeWire) for sound.
#include "frontend/sdl/SdlDrivers.h"

#include <SDL.h>
#include <dlfcn.h>

void PreferUsableVideoDriver()
{
    // Without a Wayland socket named or a runtime directory to find one in, SDL's Wayland probe
    // cannot succeed and only leaves libwayland's complaint about XDG_RUNTIME_DIR on the
    // terminal: only X11 is tried then.
    if (SDL_getenv("WAYLAND_DISPLAY") == nullptr && SDL_getenv("XDG_RUNTIME_DIR") == nullptr) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
}

extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints a screenful of its own reasons ("ALSA lib ...") when there is no sound device. Its
// handler is set through the library SDL will load (found at run time, so the game needs no ALSA
// to link); the library stays loaded for SDL.
void QuietenSoundDriver()
{
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (alsa == nullptr) {
        return;
    }
    using SetHandler = int (*)(Handler);
    const auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set != nullptr) {
        set(IgnoreAlsaError);
    }
}
