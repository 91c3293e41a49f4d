// The window's frame pacing as arithmetic on the performance counter's readings, apart from the
// clock so that it can be tested: how long a frame counts for the game, and how long to hold a
// frame back where nothing else holds frames to the display's rate.
#pragma once

#include <cstdint>

inline constexpr float kNominalFrameTime = 1.0f / 60.0f;
// A longer stall (a dragged window, a busy machine) counts as this much game time, so nothing
// jumps through a wall or through the player.
inline constexpr float kLongestStallCounted = 0.1f;

// Whether frames must be held to the nominal rate by waiting: without vsync they would race
// (unless a benchmark asked for exactly that), and a minimised window presents at once.
bool HoldsToNominalRate(bool vsync, bool uncapped, bool minimized);

// A wait before a frame; when needed, the counter is read again after it.
struct FrameWait {
    bool needed = false;
    std::uint32_t milliseconds = 0;
};

class CFramePacer {
public:
    // The wait before the frame beginning at now (in ticks of ticksPerSecond): the rest of the
    // nominal frame time when frames are held and this one comes early; none for the first frame.
    FrameWait WaitBefore(std::uint64_t now, std::uint64_t ticksPerSecond, bool held) const;
    // The game time of the frame beginning at now: the time since the previous one began, within
    // 0 and kLongestStallCounted; the nominal frame time for the first frame.
    float BeginFrame(std::uint64_t now, std::uint64_t ticksPerSecond);

private:
    float SecondsSincePrevious(std::uint64_t now, std::uint64_t ticksPerSecond) const;

    bool started = false;
    std::uint64_t previous = 0;
};
