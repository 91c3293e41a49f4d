// The shared headroom rule.
#include "engine/SoundHeadroom.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace SoundHeadroom {

int Volume(long totalPeak)
{
    if (totalPeak <= kFullScale) {
        return kFullVolume;
    }
    // Rounded down: volume * totalPeak / kFullVolume must not pass full scale.
    return static_cast<int>(kFullScale * kFullVolume / totalPeak);
}

int Peak(const std::uint8_t* samples, std::size_t byteCount)
{
    int peak = 0;
    for (std::size_t i = 0; i + 1 < byteCount; i += 2) {
        std::int16_t sample;
        std::memcpy(&sample, samples + i, sizeof sample);
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return std::min(peak, static_cast<int>(kFullScale));
}

}  // namespace SoundHeadroom
