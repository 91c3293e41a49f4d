// The host's side of the devices the input plug-in reads. Elsewhere than on Windows the plug-in
// reads our stand-in platform, which the host points at the game window's real keyboard and pad
// or at virtual ones that a script drives; on Windows it reads the real devices through
// DirectInput and XInput, which follow the active window by themselves.
#pragma once

#include "formats/InputScript.h"

struct SDL_Window;

// Whether a script can drive the devices (virtual devices exist on this system).
bool InputDevicesScriptable();
// The names a script may use for keys and pad buttons on this system.
ScriptNames InputDevicesScriptNames();
// Virtual devices from now on, all released, with the virtual window focused (headless runs).
void InputDevicesUseVirtual();
// The real keyboard and first controller, following the window's focus; null lets go of the
// window (before it is destroyed).
void InputDevicesUseWindow(SDL_Window* window);
// Applies one script event to the virtual devices.
void InputDevicesApply(const ScriptEvent& event);
