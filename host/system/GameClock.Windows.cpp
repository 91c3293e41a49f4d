// The stand-in for the game module's clock on Windows: the module imports the C runtime's time
// function from msvcrt.dll, so the host points that import (the module's import address table
// entry) at its own function once the module is loaded.
#include <windows.h>

#include <cstring>
#include <ctime>

#include "system/GameClock.h"
#include "system/PluginLibrary.h"

namespace {

using Time64 = __time64_t(__cdecl*)(__time64_t*);
using Time32 = __time32_t(__cdecl*)(__time32_t*);

Time64 trueTime64 = nullptr;
Time32 trueTime32 = nullptr;

std::int64_t TrueClock()
{
    if (trueTime64 != nullptr) {
        return static_cast<std::int64_t>(trueTime64(nullptr));
    }
    if (trueTime32 != nullptr) {
        return static_cast<std::int64_t>(trueTime32(nullptr));
    }
    return static_cast<std::int64_t>(_time64(nullptr));
}

__time64_t __cdecl StandInTime64(__time64_t* out)
{
    const __time64_t now = static_cast<__time64_t>(GameClock::Read(TrueClock));
    if (out != nullptr) {
        *out = now;
    }
    return now;
}

__time32_t __cdecl StandInTime32(__time32_t* out)
{
    const __time32_t now = static_cast<__time32_t>(GameClock::Read(TrueClock));
    if (out != nullptr) {
        *out = now;
    }
    return now;
}

bool WriteSlot(ULONG_PTR* slot, ULONG_PTR value)
{
    DWORD previous = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous) == 0) {
        return false;
    }
    *slot = value;
    DWORD ignored = 0;
    VirtualProtect(slot, sizeof *slot, previous, &ignored);
    return true;
}

}  // namespace

namespace GameClock {

bool Attach(CPluginLibrary& gameModule, std::string& error)
{
    auto* base = static_cast<BYTE*>(gameModule.Handle());
    if (base == nullptr) {
        error = "the game module is not loaded";
        return false;
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        error = "the game module imports nothing";
        return false;
    }
    int patched = 0;
    for (auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        const char* library = reinterpret_cast<const char*>(base + descriptor->Name);
        if (_stricmp(library, "msvcrt.dll") != 0 || descriptor->OriginalFirstThunk == 0) {
            continue;
        }
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            auto* slot = reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
            if (std::strcmp(name, "_time64") == 0 || std::strcmp(name, "time") == 0) {
                trueTime64 = reinterpret_cast<Time64>(*slot);
                patched += WriteSlot(slot, reinterpret_cast<ULONG_PTR>(&StandInTime64)) ? 1 : 0;
            } else if (std::strcmp(name, "_time32") == 0) {
                trueTime32 = reinterpret_cast<Time32>(*slot);
                patched += WriteSlot(slot, reinterpret_cast<ULONG_PTR>(&StandInTime32)) ? 1 : 0;
            }
        }
    }
    if (patched == 0) {
        error = "the game module does not take the time from msvcrt.dll";
        return false;
    }
    return true;
}

}  // namespace GameClock
