// Host directories: what is the same on every system.
#include "HostPaths.h"

bool EnterWorkDirectory(const std::filesystem::path& directory, std::string& error)
{
    std::error_code code;
    std::filesystem::create_directories(directory, code);
    if (code) {
        error = code.message();
        return false;
    }
    std::filesystem::current_path(directory, code);
    if (code) {
        error = code.message();
        return false;
    }
    return true;
}
