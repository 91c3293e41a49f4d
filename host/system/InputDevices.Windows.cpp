// Input devices on Windows: the plug-in reads the real ones through DirectInput and XInput, which
// need nothing from the host; there are no virtual devices for a script to drive.
#include "system/InputDevices.h"

bool InputDevicesScriptable()
{
    return false;
}

ScriptNames InputDevicesScriptNames()
{
    const auto unknown = [](const char*) { return -1; };
    return ScriptNames{unknown, unknown};
}

void InputDevicesUseVirtual() {}

void InputDevicesUseWindow(SDL_Window*) {}

void InputDevicesApply(const ScriptEvent&) {}
