// Private directories on POSIX systems: mode 0700, owners by uid, processes by kill(pid, 0).
#include "system/PrivateDirectory.h"

#include <sys/stat.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "system/HostPaths.h"

namespace PrivateDirectorySystem {

long CurrentProcess()
{
    return static_cast<long>(getpid());
}

bool ProcessRuns(long process)
{
    // EPERM: it runs, as another user.
    return kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

bool CreateOwnDirectory(const std::filesystem::path& directory, std::string& error)
{
    error.clear();
    if (mkdir(directory.c_str(), 0700) == 0) {
        return true;
    }
    if (errno != EEXIST) {
        error = "cannot make " + directory.string() + ": " + SystemReason(errno);
    }
    return false;
}

bool OwnedByThisUser(const std::filesystem::path& directory)
{
    struct stat status {};
    return lstat(directory.c_str(), &status) == 0 && status.st_uid == geteuid();
}

}  // namespace PrivateDirectorySystem
