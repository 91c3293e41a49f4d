// Host directories: what is the same on every system.
#include "system/HostPaths.h"

#include <cctype>
#include <cstring>

#include "DurableFile.h"
#include "HighScoreFormat.h"

HostLayout LayoutFor(const std::filesystem::path& executableDirectory, bool gameModuleBeside)
{
    if (gameModuleBeside) {
        return {executableDirectory, executableDirectory / "data"};
    }
    // Normal form, so that messages name /usr/lib/vantor rather than /usr/games/../lib/vantor.
    const std::filesystem::path prefix = (executableDirectory / "..").lexically_normal();
    return {prefix / "lib" / "vantor", prefix / "share" / "vantor" / "data"};
}

bool EnterWorkDirectory(const std::filesystem::path& directory, std::string& error, NewDirectory made)
{
    std::error_code code;
    const bool created = std::filesystem::create_directories(directory, code);
    if (code) {
        error = SystemReason(code.value());
        return false;
    }
    if (created && made == NewDirectory::Private) {
        // Before anything is written there; a failure leaves the system's mode, still usable.
        std::filesystem::permissions(directory, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, code);
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

void WarnAboutSharedWorkDirectory(const std::filesystem::path& here, SharedBy shared)
{
    const std::string shown = here.string();
    if (shared == SharedBy::AnotherOwner) {
        std::fprintf(stderr, "vantor: warning: %s belongs to another user, who could change the high "
                             "score kept there (--workdir DIR keeps it in a directory of your own)\n",
                     shown.c_str());
    } else if (shared == SharedBy::Anybody) {
        std::fprintf(stderr, "vantor: warning: anybody may write in %s and change the high score kept "
                             "there (--workdir DIR keeps it in a directory of your own)\n",
                     shown.c_str());
    }
}

bool WarnAboutHighScoreFile(const std::filesystem::path& here)
{
    // What the game's save will find there, by the save's own rules (DurableFile).
    const std::string shown = (here / kHighScorePath).string();
    switch (DurableFile::Inspect(kHighScorePath)) {
    case DurableFile::Kind::NotAFile:
        std::fprintf(stderr, "vantor: warning: %s is not a regular file; it is left alone and "
                             "the high score is neither read nor saved\n", shown.c_str());
        return true;
    case DurableFile::Kind::ReadOnly:
        std::fprintf(stderr, "vantor: warning: %s is read-only; the high score will not be saved\n",
                     shown.c_str());
        return true;
    case DurableFile::Kind::Missing:
    case DurableFile::Kind::Writable:
        break;
    }
    return false;
}
