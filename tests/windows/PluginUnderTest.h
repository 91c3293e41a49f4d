// The plug-in DLLs of this build, loaded the way the host loads them (CPluginLibrary, by their
// exact path in the build's plug-in folder), and their factories.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "system/PluginLibrary.h"

// Opens plug-in name (as "Pellam") and returns its export as the contract's function type; null
// with the reason in error when the library or the export is missing.
template <typename Function>
Function OpenPluginExport(CPluginLibrary& library, const std::string& name, const char* exportName,
                          std::string& error)
{
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::filesystem::path file = std::filesystem::path(std::wstring(program, length)).parent_path() /
                                       VANTOR_PLUGIN_FOLDER / CPluginLibrary::FileName(name);
    std::string reason;
    if (!library.Open(file, reason)) {
        error = file.string() + ": " + reason;
        return nullptr;
    }
    const auto function = reinterpret_cast<Function>(library.Export(exportName));
    if (function == nullptr) {
        error = CPluginLibrary::FileName(name) + " has no export " + exportName;
    }
    return function;
}
