// Host directories on POSIX systems (the executable's own: HostPaths.Linux.cpp, .Web.cpp).
#include "system/HostPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "DurableFile.h"
#include "HighScoreFormat.h"

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode)
{
    return std::fopen(file.c_str(), mode);
}

const bool kInstalledUnderPrefix = true;
const char* const kUserDataDirectoryShown = "$XDG_DATA_HOME/vantor or ~/.local/share/vantor";
const char* const kKeepFilesTogether = "keep the game's files together as they were installed or unpacked";

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

namespace {

// Who else could change what is kept here: its owner, if not this user; anybody, if it is
// writable by all without the sticky bit that keeps each one's files their own.
SharedBy WorkDirectorySharing()
{
    struct stat status {};
    if (::stat(".", &status) != 0) {
        return SharedBy::Nobody;
    }
    if (status.st_uid != ::geteuid()) {
        return SharedBy::AnotherOwner;
    }
    if ((status.st_mode & S_IWOTH) != 0 && (status.st_mode & S_ISVTX) == 0) {
        return SharedBy::Anybody;
    }
    return SharedBy::Nobody;
}

}  // namespace

void WarnAboutWorkDirectory()
{
    std::error_code code;
    const std::filesystem::path here = std::filesystem::current_path(code);
    WarnAboutSharedWorkDirectory(here, WorkDirectorySharing());
    if (WarnAboutHighScoreFile(here)) {
        return;
    }
    // The save goes beside the file, or beside the target of a link.
    const std::filesystem::path target = DurableFile::FollowLinks(kHighScorePath);
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : here;
    if (::access(directory.c_str(), W_OK) != 0) {
        std::fprintf(stderr, "vantor: warning: cannot write in %s; the high score will not be saved\n",
                     directory.c_str());
    }
}
