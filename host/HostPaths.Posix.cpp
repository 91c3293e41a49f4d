// Host directories on POSIX systems.
#include "HostPaths.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode)
{
    return std::fopen(file.c_str(), mode);
}

std::filesystem::path ExecutableDirectory()
{
    std::error_code code;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", code);
    return code ? std::filesystem::path() : self.parent_path();
}

std::filesystem::path UserDataDirectory()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return std::filesystem::path(dataHome) / "vantor";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::filesystem::path(home) / ".local" / "share" / "vantor";
    }
    return {};
}

void WarnIfWorkDirectoryReadOnly()
{
    if (access(".", W_OK) != 0) {
        std::error_code code;
        std::fprintf(stderr, "vantor: warning: cannot write in %s; the high score will not be saved\n",
                     std::filesystem::current_path(code).c_str());
    }
}
