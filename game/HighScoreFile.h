// The "highscore" file: exactly 4 bytes, a little-endian signed 32-bit integer, no header.
#pragma once

#include <cstdint>

inline constexpr const char* kHighScorePath = "highscore";

// The stored score; 0 when the file is missing, unreadable or shorter than 4 bytes.
// Bytes after the fourth are ignored.
int32_t ReadHighScore(const char* path);
