// Frame pacing arithmetic (see FramePacer.h).
#include "frontend/sdl/FramePacer.h"

#include <algorithm>

bool HoldsToNominalRate(bool vsync, bool uncapped, bool minimized)
{
    return (!vsync && !uncapped) || minimized;
}

float CFramePacer::SecondsSincePrevious(std::uint64_t now, std::uint64_t ticksPerSecond) const
{
    return static_cast<float>(static_cast<double>(now - previous) / static_cast<double>(ticksPerSecond));
}

FrameWait CFramePacer::WaitBefore(std::uint64_t now, std::uint64_t ticksPerSecond, bool held) const
{
    if (!started || !held) {
        return {};
    }
    const float elapsed = SecondsSincePrevious(now, ticksPerSecond);
    if (elapsed >= kNominalFrameTime) {
        return {};
    }
    return {true, static_cast<std::uint32_t>((kNominalFrameTime - elapsed) * 1000.0f)};
}

float CFramePacer::BeginFrame(std::uint64_t now, std::uint64_t ticksPerSecond)
{
    if (!started) {
        started = true;
        previous = now;
        return kNominalFrameTime;
    }
    const float elapsed = SecondsSincePrevious(now, ticksPerSecond);
    previous = now;
    return std::clamp(elapsed, 0.0f, kLongestStallCounted);
}
