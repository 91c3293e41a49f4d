// The executable's directory on Linux, from the kernel's link to the running program.
#include "system/HostPaths.h"

std::filesystem::path ExecutableDirectory()
{
    std::error_code code;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", code);
    return code ? std::filesystem::path() : self.parent_path();
}
