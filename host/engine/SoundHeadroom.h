// The headroom rule that every mixer of ours follows: whenever a sound starts, every sound then
// playing gets the same volume, chosen so that their peaks add up to full scale at most. The mix
// never clips; several loud sounds at once only play quieter.
#pragma once

#include <cstddef>
#include <cstdint>

namespace SoundHeadroom {

inline constexpr long kFullScale = 32767;   // of a 16-bit sample
inline constexpr int kFullVolume = 128;     // a volume's scale (SDL_mixer's MIX_MAX_VOLUME)

// The volume (of kFullVolume) for sounds whose peaks add up to totalPeak (of kFullScale).
int Volume(long totalPeak);
// The peak of native 16-bit samples (bytes, whole samples only), at most kFullScale.
int Peak(const std::uint8_t* samples, std::size_t byteCount);

}  // namespace SoundHeadroom
