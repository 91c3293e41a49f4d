// Host directories: what is the same on every system.
#include "HostPaths.h"

#include <cctype>
#include <cstring>

bool EnterWorkDirectory(const std::filesystem::path& directory, std::string& error)
{
    std::error_code code;
    std::filesystem::create_directories(directory, code);
    if (code) {
        error = SystemReason(code.value());
        return false;
    }
    std::filesystem::current_path(directory, code);
    if (code) {
        error = SystemReason(code.value());
        return false;
    }
    return true;
}

std::string SystemReason(int error)
{
    std::string reason = std::strerror(error);
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return reason;
}
