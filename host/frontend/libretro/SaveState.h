// A save state of the core: the recording of the game so far, which a fresh game plays again to
// reach the same state (the game's own state lives inside the game module and cannot be copied).
// Always kSize bytes, as libretro wants a size fixed for the whole run:
//   "VNTRSTAT", u32 format version, u32 length, the recording as a replay file, zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/ReplayReader.h"

namespace SaveState {

// Busy play records about 100 KB a minute: this holds some two and a half hours of one session.
inline constexpr std::size_t kSize = std::size_t{16} << 20;

// Writes the recording into out (kSize bytes); false with why when it does not fit.
bool Encode(const CReplayEncoder& recording, std::uint8_t* out, std::size_t size, std::string& error);
// Reads a state back into the recording it holds; false with why (foreign, damaged, too large).
bool Decode(const std::uint8_t* state, std::size_t size, CReplayReader& recording, std::string& error);

}  // namespace SaveState
