// The places the host works with: its own directory, where its plug-ins and data are found from,
// and the per-user directory where the game keeps its "highscore" file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// fopen for a path of any system's kind (wide on Windows).
std::FILE* OpenFile(const std::filesystem::path& file, const char* mode);

// The directory of the running executable; empty when it cannot be found.
std::filesystem::path ExecutableDirectory();

// Where the host loads its plug-ins from and reads the game's data.
struct HostLayout {
    std::filesystem::path pluginDirectory;
    std::filesystem::path dataDirectory;
};

// The layout of a game whose executable is in executableDirectory, always relative to it so that
// the game can be moved or installed under any prefix. A build tree (or a folder the game was
// unpacked into) has the game module beside the executable, and data/ too; an installed game has
// its executable in <prefix>/bin or <prefix>/games, its plug-ins in <prefix>/lib/vantor and its
// data in <prefix>/share/vantor/data.
HostLayout LayoutFor(const std::filesystem::path& executableDirectory, bool gameModuleBeside);

// $XDG_DATA_HOME/vantor, or ~/.local/share/vantor; empty when neither variable is set.
std::filesystem::path UserDataDirectory();

// Who may use a directory the host makes.
enum class NewDirectory {
    Shared,    // as the system makes it (a --workdir given by the player)
    Private,   // the owner's alone (the default data directory: nobody else needs it)
};

// This system's ways, for the layout and for the words the player reads. Whether a game is ever
// installed apart from its executable (false on Windows, where the unzipped folder holds it all):
extern const bool kInstalledUnderPrefix;
// Where UserDataDirectory() is, written as the player would write it.
extern const char* const kUserDataDirectoryShown;
// What the player does to keep the game's files where the host finds them.
extern const char* const kKeepFilesTogether;

// Creates the directory if needed and makes it the working directory; false with a reason.
bool EnterWorkDirectory(const std::filesystem::path& directory, std::string& error,
                        NewDirectory made = NewDirectory::Shared);

// Warns, once, when the game will not be able to use its "highscore" file in the working
// directory: a file that is no regular file (a FIFO, a directory: left alone and read as no high
// score), one marked read-only (kept as it is), or a directory the save cannot write in; and when
// someone else could change the files there (a directory of another user's, or one anybody may
// write in without the sticky bit): the saves stay safe, but the scores may not be the player's.
void WarnAboutWorkDirectory();
// Its part that is the same on every system: warns when the "highscore" file in the working
// directory (here) is no regular file or is read-only; true when it warned.
bool WarnAboutHighScoreFile(const std::filesystem::path& here);

// Who else could change what is kept in a working directory, by the system's own rules.
enum class SharedBy { Nobody, AnotherOwner, Anybody };
// Says so in one line, the same on every system.
void WarnAboutSharedWorkDirectory(const std::filesystem::path& here, SharedBy shared);

// The system's reason for an errno value, as words that fit in a sentence ("permission denied").
std::string SystemReason(int error);
