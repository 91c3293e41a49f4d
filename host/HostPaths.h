// The places the host works with: its own directory (plug-ins, data) and the per-user directory
// where the game keeps its "highscore" file.
#pragma once

#include <filesystem>
#include <string>

// The directory of the running executable; empty when it cannot be found.
std::filesystem::path ExecutableDirectory();

// $XDG_DATA_HOME/vantor, or ~/.local/share/vantor; empty when neither variable is set.
std::filesystem::path UserDataDirectory();

// Creates the directory if needed and makes it the working directory; false with a reason.
bool EnterWorkDirectory(const std::filesystem::path& directory, std::string& error);

// Warns, once, when the game will not be able to use its "highscore" file in the working
// directory: a file that is no regular file (a FIFO, a directory: left alone and read as no high
// score), one marked read-only (kept as it is), or a directory the save cannot write in.
void WarnIfWorkDirectoryReadOnly();

// The system's reason for an errno value, as words that fit in a sentence ("permission denied").
std::string SystemReason(int error);
