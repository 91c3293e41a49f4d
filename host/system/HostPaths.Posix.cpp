// Host directories on POSIX systems (the executable's own: HostPaths.Linux.cpp, .Web.cpp).
#include "system/HostPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
// The game's file in its work directory.
constexpr const char* kHighScoreFile = "highscore";
}  // namespace

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode)
{
    return std::fopen(file.c_str(), mode);
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
    std::error_code code;
    const std::filesystem::path here = std::filesystem::current_path(code);
    const std::string shown = (here / kHighScoreFile).string();
    struct stat status {};
    if (::stat(kHighScoreFile, &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
            std::fprintf(stderr, "vantor: warning: %s is not a regular file; it is left alone and "
                                 "the high score is neither read nor saved\n", shown.c_str());
            return;
        }
        // Marked read-only counts even for root, as it does for the game's save.
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(kHighScoreFile, W_OK) != 0) {
            std::fprintf(stderr, "vantor: warning: %s is read-only; the high score will not be saved\n",
                         shown.c_str());
            return;
        }
    } else if (errno != ENOENT) {
        std::fprintf(stderr, "vantor: warning: cannot look at %s (%s); the high score may not be saved\n",
                     shown.c_str(), SystemReason(errno).c_str());
        return;
    }
    // The save goes beside the file, or beside the target of a link.
    std::filesystem::path directory = here;
    if (std::filesystem::is_symlink(kHighScoreFile, code)) {
        directory = std::filesystem::weakly_canonical(kHighScoreFile, code).parent_path();
    }
    if (::access(directory.c_str(), W_OK) != 0) {
        std::fprintf(stderr, "vantor: warning: cannot write in %s; the high score will not be saved\n",
                     directory.c_str());
    }
}
