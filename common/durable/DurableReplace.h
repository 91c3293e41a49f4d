// Replacing a small file so that it is never seen empty, short or mixed: the bytes go to a
// temporary file beside it, created exclusively (never through a link or over anything there)
// with a name unique to this process ("highscore.1234.tmp", or with random digits added when that
// is taken: "highscore.1234.89abcdef.tmp"), given the old file's permissions, reach the device,
// and only then take the old file's place in one atomic rename. Shared by the game
// module's high-score save and every file the host replaces.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Puts bytes into an open file and says how many arrived: std::fwrite, or a failing stand-in.
using DurableByteWriter = std::size_t (*)(const unsigned char* bytes, std::size_t count, std::FILE* file);

// Replaces path with the bytes. A symbolic link is followed: its target is replaced and the link
// stays. A file marked read-only, or anything but a regular file, is left alone. False when
// anything failed or was refused; the old file is then untouched and the temporary file gone.
bool ReplaceFileDurably(const char* path, const unsigned char* bytes, std::size_t count,
                        DurableByteWriter writer = nullptr);

// The first temporary name tried for path: same directory, unique to this process.
std::string DurableTempPath(const char* path);
// Removes the temporary files that replacements by processes no longer running left beside the
// file (or beside its link's target): only names of that exact pattern, never a live process's.
void RemoveStaleDurableTemps(const char* path);
