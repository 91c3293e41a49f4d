// The replay format's record kinds and sizes, shared by its writer and its reader (the format
// itself is described in Replay.h).
#pragma once

#include <cstdint>
#include <cstring>

namespace ReplayRecords {

inline constexpr char kMagic[8] = {'V', 'N', 'T', 'R', 'P', 'L', 'A', 'Y'};
inline constexpr std::uint8_t kClockRecord = 'K';
inline constexpr std::uint8_t kFrameRecord = 'F';
inline constexpr std::uint8_t kEndRecord = 'E';
inline constexpr std::uint8_t kHostPausedFlag = 1;
inline constexpr std::size_t kEndSize = 1 + 8 + 8;

// A float's bits and back (std::bit_cast, which the web build's C++ library lacks).
inline std::uint32_t BitsOfFloat(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float FloatFromBits(std::uint32_t bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace ReplayRecords
