// XInputGetState, GetActiveWindow and GetModuleHandleW of the stand-in.
#include <dlfcn.h>

#include "PlatformState.h"

extern "C" DWORD WINAPI XInputGetState(DWORD userIndex, XINPUT_STATE* state)
{
    if (state == nullptr || userIndex >= XUSER_MAX_COUNT) {
        return ERROR_BAD_ARGUMENTS;
    }
    // One pad: the first controller is user 0, the other slots stay empty.
    if (userIndex != 0) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    return StandIn::ReadPad(*state);
}

extern "C" HWND WINAPI GetActiveWindow(void)
{
    return StandIn::ActiveWindow();
}

extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName)
{
    // Only the executable's own handle is asked for; other modules are not tracked.
    if (moduleName != nullptr) {
        return nullptr;
    }
#if defined(__EMSCRIPTEN__)
    // The web page is one program without a dynamic loader: any stable address names it.
    static char program;
    return reinterpret_cast<HMODULE>(&program);
#else
    return reinterpret_cast<HMODULE>(dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD));
#endif
}
