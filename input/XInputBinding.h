// How the input plug-in reaches XInputGetState. On Windows the XInput library is bound at run
// time, so that a machine without it still loads the plug-in (and simply has no gamepad);
// elsewhere the stand-in platform library provides the function. CMake picks the file.
#pragma once

#include "InputPlatform.h"

// XInputGetState of the bound library; ERROR_DEVICE_NOT_CONNECTED when no XInput exists.
DWORD XInputBindingGetState(DWORD userIndex, XINPUT_STATE* state);
