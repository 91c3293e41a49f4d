// Plug-in loading with LoadLibraryEx.
#include "system/PluginLibrary.h"

#include <windows.h>

namespace {

// The system's words for an error code, on one line.
std::string SystemMessage(DWORD code)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

const bool CPluginLibrary::kLinkedIn = false;

CPluginLibrary::~CPluginLibrary() = default;

bool CPluginLibrary::Open(const std::filesystem::path& file, std::string& error)
{
    std::error_code code;
    if (std::filesystem::is_directory(file, code)) {
        error = "it is a directory, not a library file";
        return false;
    }
    if (!std::filesystem::is_regular_file(file, code)) {
        error = "file not found";
        return false;
    }
    // No check of the file's headers here, unlike the ELF loader's: Windows maps a DLL as an image
    // section and refuses one whose sections' raw data lie past the end of the file
    // (ERROR_BAD_EXE_FORMAT), which SystemMessage then names.
    const std::filesystem::path absolute = std::filesystem::absolute(file, code);
    // The plug-in itself by its full path; what it imports only from the system's folder: our
    // plug-ins link their runtime in and import system DLLs alone, and some of those (DirectInput)
    // are not KnownDLLs, which a copy planted beside the plug-in would otherwise replace.
    HMODULE module = LoadLibraryExW(absolute.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) {
        error = SystemMessage(GetLastError());
        return false;
    }
    handle = module;
    return true;
}

void* CPluginLibrary::Export(const char* name) const
{
    if (handle == nullptr) {
        return nullptr;
    }
    // FARPROC to a data pointer: the caller casts it back to the factory's type.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

std::string CPluginLibrary::FileName(const std::string& name)
{
    return name + ".dll";
}
