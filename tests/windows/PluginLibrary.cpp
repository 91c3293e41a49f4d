// Loading a plug-in DLL of this build by its path.
#include "PluginLibrary.h"

#include <cstdio>

namespace {

// The folder of the running test program, with its trailing backslash.
std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

}  // namespace

PluginLibrary::PluginLibrary(const std::wstring& fileName)
{
    const std::wstring path = ProgramFolder() + VANTOR_PLUGIN_FOLDER L"\\" + fileName;
    module = LoadLibraryW(path.c_str());
    if (module == nullptr) {
        char code[32];
        std::snprintf(code, sizeof code, "%lu", GetLastError());
        error = "LoadLibrary " + Narrow(path) + " failed with error " + code;
    }
}

void (*PluginLibrary::FindProcedure(const char* name) const)()
{
    if (module == nullptr) {
        return nullptr;
    }
    // void(*)() is the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<void (*)()>(GetProcAddress(module, name));
}
