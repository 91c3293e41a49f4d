// The game's "highscore" file, as the game writes it and the host reads it: its name in the work
// directory and its bytes, exactly 4, a little-endian signed 32-bit integer with no header.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr const char* kHighScorePath = "highscore";
inline constexpr std::size_t kHighScoreSize = 4;

// The file's bytes for a score, and back (from the first kHighScoreSize bytes).
inline void EncodeHighScore(std::int32_t value, unsigned char (&bytes)[kHighScoreSize])
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < kHighScoreSize; ++i) {
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

inline std::int32_t DecodeHighScore(const unsigned char* bytes)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < kHighScoreSize; ++i) {
        bits |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}
