// The host's side of the stand-in platform input layer (systems other than Windows): which device
// back end the DirectInput and XInput stand-ins read, and the virtual devices that headless runs
// drive from a script. The host and the input plug-in link the same stand-in library, so what
// the host sets here is what the plug-in reads.
#pragma once

#include <cstdint>

#if defined(VANTOR_PLATFORM_BUILD)
#define VANTOR_PLATFORM_API __attribute__((visibility("default")))
#else
#define VANTOR_PLATFORM_API
#endif

struct SDL_Window;

enum class PlatformBackend {
    Virtual,  // keyboard and pad set by PlatformVirtual* (headless runs, tests); the default
    Sdl,      // the real keyboard and first game controller through SDL2
};

VANTOR_PLATFORM_API void PlatformSetBackend(PlatformBackend backend);
VANTOR_PLATFORM_API PlatformBackend PlatformGetBackend();

// The SDL back end's game window: GetActiveWindow answers it while it has input focus, and the
// keyboard can be acquired only then. The focus is followed from SDL's window events as the host
// pumps them (nothing to forward). Null for no window; set null before destroying the window.
VANTOR_PLATFORM_API void PlatformSetSdlWindow(SDL_Window* window);

// Virtual devices. Key codes are DirectInput scan codes (DIK_*), buttons XInput masks.
VANTOR_PLATFORM_API void PlatformVirtualKey(uint8_t dikCode, bool down);
// Plugging the pad in or out; unplugging also releases its buttons and centres its stick.
VANTOR_PLATFORM_API void PlatformVirtualPadConnected(bool connected);
VANTOR_PLATFORM_API void PlatformVirtualPadButton(uint16_t mask, bool down);
VANTOR_PLATFORM_API void PlatformVirtualPadStick(int16_t lx, int16_t ly);
// The virtual back end's game window: GetActiveWindow answers it while it has focus (from the
// start), and a focus loss takes the keyboard away as it does under SDL.
VANTOR_PLATFORM_API void PlatformVirtualSetFocus(bool focused);
// Releases every virtual key and button, centres the stick, disconnects the pad, gives the
// virtual window focus.
VANTOR_PLATFORM_API void PlatformVirtualReset();

// Names as scripts write them: a DIK_ name without its prefix ("LEFT", "RETURN") and an XInput
// button name without XINPUT_GAMEPAD_ ("A", "DPAD_UP"), in any letter case. Negative for an
// unknown or null name.
VANTOR_PLATFORM_API int PlatformDikFromName(const char* name);
VANTOR_PLATFORM_API int PlatformPadButtonFromName(const char* name);
