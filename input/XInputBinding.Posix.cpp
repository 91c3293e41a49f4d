// XInput through the stand-in platform library, linked like any system library.
#include "XInputBinding.h"

DWORD XInputBindingGetState(DWORD userIndex, XINPUT_STATE* state)
{
    return XInputGetState(userIndex, state);
}
