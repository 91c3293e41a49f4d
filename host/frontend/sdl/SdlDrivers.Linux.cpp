// SDL's drivers on Linux: Wayland or X11 for video, ALSA (under PulseAudio or PipeWire) for sound.
// Xlib is found at run time, as SDL finds it, so that the game needs no X11 to link or to run.
#include "frontend/sdl/SdlDrivers.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
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

namespace {

// The few Xlib calls that settle a window, from the library SDL has loaded already.
struct Xlib {
    decltype(&XInternAtom) internAtom = nullptr;
    decltype(&XGetWindowProperty) getWindowProperty = nullptr;
    decltype(&XFree) free = nullptr;
    decltype(&XMoveResizeWindow) moveResizeWindow = nullptr;
    decltype(&XFlush) flush = nullptr;
};

bool FindXlib(Xlib& xlib)
{
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) {
        return false;
    }
    xlib.internAtom = reinterpret_cast<decltype(xlib.internAtom)>(dlsym(library, "XInternAtom"));
    xlib.getWindowProperty = reinterpret_cast<decltype(xlib.getWindowProperty)>(dlsym(library, "XGetWindowProperty"));
    xlib.free = reinterpret_cast<decltype(xlib.free)>(dlsym(library, "XFree"));
    xlib.moveResizeWindow = reinterpret_cast<decltype(xlib.moveResizeWindow)>(dlsym(library, "XMoveResizeWindow"));
    xlib.flush = reinterpret_cast<decltype(xlib.flush)>(dlsym(library, "XFlush"));
    return xlib.internAtom != nullptr && xlib.getWindowProperty != nullptr && xlib.free != nullptr &&
           xlib.moveResizeWindow != nullptr && xlib.flush != nullptr;
}

// Whether a window manager of today's kind (one that makes windows fullscreen when asked) runs:
// it names its own window on the root window.
bool WindowManagerRuns(const Xlib& xlib, Display* display)
{
    const Atom check = xlib.internAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) {
        return false;
    }
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long left = 0;
    unsigned char* value = nullptr;
    const bool named = xlib.getWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                              XA_WINDOW, &type, &format, &items, &left, &value) == Success &&
                       items > 0;
    if (value != nullptr) {
        xlib.free(value);
    }
    return named;
}

}  // namespace

void SettleFullscreen(SDL_Window* window, bool fullscreen, const SDL_Rect& windowed)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    Xlib xlib;
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11 || !FindXlib(xlib) ||
        WindowManagerRuns(xlib, info.info.x11.display)) {
        return;
    }
    SDL_Rect place = windowed;
    if (fullscreen && SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &place) != 0) {
        return;
    }
    if (place.w <= 0 || place.h <= 0) {
        return;   // Xlib would end the process over a window of no size
    }
    xlib.moveResizeWindow(info.info.x11.display, info.info.x11.window, place.x, place.y,
                          static_cast<unsigned>(place.w), static_cast<unsigned>(place.h));
    xlib.flush(info.info.x11.display);
}
