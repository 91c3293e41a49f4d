// XInput bound at run time. XINPUT1_3.dll comes with an optional runtime that many machines
// lack, and importing it at load time would keep the whole plug-in from loading there. It is
// taken by ordinal 2, as that library exports it; the system's newer libraries stand in when it
// is missing, and without any of them there is no gamepad. Bound once for the process, like an
// import would be; the library stays loaded for the process's life.
#include "XInputBinding.h"

namespace {

using XInputGetStateProc = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

constexpr WORD kXInput13GetStateOrdinal = 2;
constexpr const char* kGetStateName = "XInputGetState";

XInputGetStateProc FindIn(const wchar_t* library, LPCSTR procedure)
{
    HMODULE module = LoadLibraryW(library);
    if (module == nullptr) {
        return nullptr;
    }
    FARPROC found = GetProcAddress(module, procedure);
    if (found == nullptr) {
        FreeLibrary(module);
        return nullptr;
    }
    // void(*)() is the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<XInputGetStateProc>(reinterpret_cast<void (*)()>(found));
}

XInputGetStateProc Bind()
{
    // An ordinal travels in the low word of the name pointer (MAKEINTRESOURCEA).
    const auto ordinal = reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(kXInput13GetStateOrdinal));
    if (XInputGetStateProc found = FindIn(L"XINPUT1_3.dll", ordinal)) {
        return found;
    }
    // The later libraries are looked up by name: their ordinals are not documented.
    if (XInputGetStateProc found = FindIn(L"xinput1_4.dll", kGetStateName)) {
        return found;
    }
    return FindIn(L"xinput9_1_0.dll", kGetStateName);
}

}  // namespace

DWORD XInputBindingGetState(DWORD userIndex, XINPUT_STATE* state)
{
    static const XInputGetStateProc getState = Bind();
    if (getState == nullptr) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    return getState(userIndex, state);
}
