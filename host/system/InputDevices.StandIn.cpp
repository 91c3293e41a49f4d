// Input devices through the stand-in platform library, which the input plug-in links too.
#include "system/InputDevices.h"

#include "VantorPlatform.h"

bool InputDevicesScriptable()
{
    return true;
}

ScriptNames InputDevicesScriptNames()
{
    return ScriptNames{PlatformDikFromName, PlatformPadButtonFromName};
}

void InputDevicesUseVirtual()
{
    PlatformSetBackend(PlatformBackend::Virtual);
    PlatformVirtualReset();
}

void InputDevicesUseWindow(SDL_Window* window)
{
    if (window != nullptr) {
        PlatformSetBackend(PlatformBackend::Sdl);
    }
    PlatformSetSdlWindow(window);
}

void InputDevicesApply(const ScriptEvent& event)
{
    switch (event.action) {
    case ScriptAction::KeyDown:
    case ScriptAction::KeyUp:
        PlatformVirtualKey(static_cast<uint8_t>(event.code), event.action == ScriptAction::KeyDown);
        break;
    case ScriptAction::PadConnect:
    case ScriptAction::PadDisconnect:
        PlatformVirtualPadConnected(event.action == ScriptAction::PadConnect);
        break;
    case ScriptAction::PadButtonDown:
    case ScriptAction::PadButtonUp:
        PlatformVirtualPadButton(static_cast<uint16_t>(event.code),
                                 event.action == ScriptAction::PadButtonDown);
        break;
    case ScriptAction::PadStick:
        PlatformVirtualPadStick(event.stickX, event.stickY);
        break;
    }
}
