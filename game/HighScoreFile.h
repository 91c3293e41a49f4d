// The game's "highscore" file (its format in HighScoreFormat.h): reading it, and saving it durably.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "DurableReplace.h"
#include "HighScoreFormat.h"

// The stored score; 0 when the file is missing, unreadable, shorter than 4 bytes or no regular
// file (a FIFO is never waited on). Bytes after the fourth are ignored.
int32_t ReadHighScore(const char* path);

// Puts bytes into an open file and says how many arrived: std::fwrite for the game, a failing
// stand-in for tests.
using HighScoreByteWriter = DurableByteWriter;

// Replaces the file with the score without ever leaving it empty or short: the bytes go to a
// temporary file beside it, which replaces the old file in one atomic rename only once it is
// completely written and on the device. A symbolic link is followed: its target is replaced the
// same way and the link stays. A file marked read-only, or anything but a regular file, is left
// alone. False when anything failed or was refused; the old file is then untouched and the
// temporary file is gone.
bool WriteHighScore(const char* path, int32_t value);
bool WriteHighScore(const char* path, int32_t value, HighScoreByteWriter writer);

// The temporary file that WriteHighScore uses for the file path: same directory, unique to this
// process ("highscore.1234.tmp").
std::string HighScoreTempPath(const char* path);
// Removes the temporary files that saves of processes no longer running left beside the file
// (or beside its link's target): only names of that exact pattern, never one of a live process.
void RemoveStaleHighScoreTemps(const char* path);
