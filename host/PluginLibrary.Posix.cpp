// Plug-in loading with dlopen.
#include "PluginLibrary.h"

#include <dlfcn.h>

CPluginLibrary::~CPluginLibrary() = default;

bool CPluginLibrary::Open(const std::filesystem::path& file, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(file, code)) {
        error = "file not found";
        return false;
    }
    // An absolute path: the dynamic loader then searches nowhere else.
    const std::filesystem::path absolute = std::filesystem::absolute(file, code);
    handle = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot be loaded";
        return false;
    }
    return true;
}

void* CPluginLibrary::Export(const char* name) const
{
    return handle != nullptr ? dlsym(handle, name) : nullptr;
}

std::string CPluginLibrary::FileName(const std::string& name)
{
    return name + ".so";
}
