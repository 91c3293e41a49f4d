// Save states as recordings.
#include "frontend/libretro/SaveState.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'V', 'N', 'T', 'R', 'S', 'T', 'A', 'T'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kHeaderSize = sizeof kMagic + 4 + 4;

void PutU32(std::uint8_t* out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t GetU32(const std::uint8_t* in)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    }
    return value;
}

}  // namespace

namespace SaveState {

bool Encode(const CReplayEncoder& recording, std::uint8_t* out, std::size_t size, std::string& error)
{
    const std::vector<std::uint8_t>& bytes = recording.Bytes();
    const std::vector<std::uint8_t> end = recording.End();
    const std::size_t length = bytes.size() + end.size();
    if (size < kHeaderSize || length > size - kHeaderSize) {
        error = "the game so far (" + std::to_string(length) + " bytes of recording) no longer fits in a save state";
        return false;
    }
    std::memcpy(out, kMagic, sizeof kMagic);
    PutU32(out + sizeof kMagic, kFormatVersion);
    PutU32(out + sizeof kMagic + 4, static_cast<std::uint32_t>(length));
    std::uint8_t* at = std::copy(bytes.begin(), bytes.end(), out + kHeaderSize);
    at = std::copy(end.begin(), end.end(), at);
    std::fill(at, out + size, std::uint8_t{0});
    return true;
}

bool Decode(const std::uint8_t* state, std::size_t size, CReplayReader& recording, std::string& error)
{
    if (size < kHeaderSize || std::memcmp(state, kMagic, sizeof kMagic) != 0) {
        error = "not a save state of this game";
        return false;
    }
    if (GetU32(state + sizeof kMagic) != kFormatVersion) {
        error = "a save state of another version of the core";
        return false;
    }
    const std::size_t length = GetU32(state + sizeof kMagic + 4);
    if (length > size - kHeaderSize) {
        error = "the save state is cut short";
        return false;
    }
    return recording.Open(std::vector<std::uint8_t>(state + kHeaderSize, state + kHeaderSize + length), error);
}

}  // namespace SaveState
