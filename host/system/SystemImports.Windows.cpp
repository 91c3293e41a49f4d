// The functions SDL takes from winmm.dll (sound, timer resolution) and version.dll (the input
// method's version), bound at run time from the system folder alone. Neither library is one of
// Windows' KnownDLLs: imported statically, a copy planted beside vantor.exe would load before
// main. Linked in place of both import libraries, so a new use of either shows as a link error.
#include <windows.h>

#include <mmsystem.h>
#include <winver.h>

namespace {

// The system's own function: looked up in the system folder's library, never elsewhere.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name)
{
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

// An import slot (__imp_Name, what code compiled against the system headers calls through),
// filled with a stub that finds the function once and answers `failure` where it is missing.
#define VANTOR_SYSTEM_SLOT(library, function, failure)                                            \
    extern "C" decltype(&function) __imp_##function;                                              \
    decltype(&function) __imp_##function = [](auto... arguments) {                               \
        static const auto found = SystemFunction<decltype(&function)>(library, #function);        \
        using Result = decltype(found(arguments...));                                             \
        return found != nullptr ? found(arguments...) : static_cast<Result>(failure);             \
    };

VANTOR_SYSTEM_SLOT(L"winmm.dll", timeBeginPeriod, TIMERR_NOCANDO)
VANTOR_SYSTEM_SLOT(L"winmm.dll", timeEndPeriod, TIMERR_NOCANDO)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInAddBuffer, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInClose, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInGetDevCapsW, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInGetNumDevs, 0)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInOpen, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInPrepareHeader, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInReset, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInStart, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveInUnprepareHeader, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutClose, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutGetDevCapsW, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutGetErrorTextW, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutGetNumDevs, 0)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutOpen, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutPrepareHeader, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutReset, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutUnprepareHeader, MMSYSERR_NODRIVER)
VANTOR_SYSTEM_SLOT(L"winmm.dll", waveOutWrite, MMSYSERR_NODRIVER)

// winver.h declares its functions without the import attribute, so SDL calls them by their own
// names: these take the place of the import library's jumps through the slots.
extern "C" DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle)
{
    static const auto found =
        SystemFunction<decltype(&GetFileVersionInfoSizeA)>(L"version.dll", "GetFileVersionInfoSizeA");
    return found != nullptr ? found(file, handle) : 0;
}

extern "C" WINBOOL WINAPI GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD length, LPVOID data)
{
    static const auto found =
        SystemFunction<decltype(&GetFileVersionInfoA)>(L"version.dll", "GetFileVersionInfoA");
    return found != nullptr ? found(file, handle, length, data) : FALSE;
}

extern "C" WINBOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length)
{
    static const auto found = SystemFunction<decltype(&VerQueryValueA)>(L"version.dll", "VerQueryValueA");
    return found != nullptr ? found(block, subBlock, buffer, length) : FALSE;
}
