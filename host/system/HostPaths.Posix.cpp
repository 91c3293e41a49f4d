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

// Says when others could change what is kept here.
void WarnIfWorkDirectoryShared(const std::filesystem::path& here)
{
    struct stat status {};
    if (::stat(".", &status) != 0) {
        return;
    }
    if (status.st_uid != ::geteuid()) {
        std::fprintf(stderr, "vantor: warning: %s belongs to another user, who could change the high "
                             "score kept there (--workdir DIR keeps it in a directory of your own)\n",
                     here.c_str());
    } else if ((status.st_mode & S_IWOTH) != 0 && (status.st_mode & S_ISVTX) == 0) {
        std::fprintf(stderr, "vantor: warning: anybody may write in %s and change the high score kept "
                             "there (--workdir DIR keeps it in a directory of your own)\n",
                     here.c_str());
    }
}

}  // namespace

void WarnAboutWorkDirectory()
{
    std::error_code code;
    const std::filesystem::path here = std::filesystem::current_path(code);
    WarnIfWorkDirectoryShared(here);
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
