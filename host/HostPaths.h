// The places the host works with: its own directory (plug-ins, data) and the per-user directory
// where the game keeps its "highscore" file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// fopen for a path of any system's kind (wide on Windows).
std::FILE* OpenFile(const std::filesystem::path& file, const char* mode);

// The directory of the running executable; empty when it cannot be found.
std::filesystem::path ExecutableDirectory();

// $XDG_DATA_HOME/vantor, or ~/.local/share/vantor; empty when neither variable is set.
std::filesystem::path UserDataDirectory();

// Creates the directory if needed and makes it the working directory; false with a reason.
bool EnterWorkDirectory(const std::filesystem::path& directory, std::string& error);

// Warns when the game could not save its "highscore" file in the working directory.
void WarnIfWorkDirectoryReadOnly();
