// A plug-in library loaded from an exact path (never through a search path), and its exports.
#pragma once

#include <filesystem>
#include <string>

class CPluginLibrary {
public:
    CPluginLibrary() = default;
    ~CPluginLibrary();   // keeps the library loaded: its objects live until the process ends
    CPluginLibrary(const CPluginLibrary&) = delete;
    CPluginLibrary& operator=(const CPluginLibrary&) = delete;

    // Loads the library file; false with the loader's reason in error.
    bool Open(const std::filesystem::path& file, std::string& error);
    // The address of an exported function, or null.
    void* Export(const char* name) const;
    // The system's handle of the loaded library (HMODULE on Windows), or null.
    void* Handle() const { return handle; }

    // The file name of a plug-in called name on this system ("Pellam.so").
    static std::string FileName(const std::string& name);

    // Whether the plug-ins are part of the program (the web page) rather than files beside it.
    static const bool kLinkedIn;

private:
    void* handle = nullptr;
};
