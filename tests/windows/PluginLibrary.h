// A plug-in DLL loaded the way a host loads it: LoadLibrary on its file in the build's plug-in
// folder, then GetProcAddress for its factory. Like a host's plug-ins, the library stays loaded
// for the life of the process: objects it made may still be in use.
#pragma once

#include <windows.h>

#include <string>

class PluginLibrary {
public:
    // Loads <plug-in folder>\fileName; Loaded() tells whether it worked, Error() why not.
    explicit PluginLibrary(const std::wstring& fileName);
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool Loaded() const { return module != nullptr; }
    const std::string& Error() const { return error; }

    // The named export as the function type the contract gives it; null when it is missing.
    template <typename Function>
    Function Find(const char* name) const
    {
        return reinterpret_cast<Function>(FindProcedure(name));
    }

private:
    void (*FindProcedure(const char* name) const)();

    HMODULE module = nullptr;
    std::string error;
};
