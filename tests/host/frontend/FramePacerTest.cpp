// The window's frame pacing: what each frame counts for the game and when a frame is held back.
#include "frontend/sdl/FramePacer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint64_t kNanoseconds = 1000000000;   // SDL's counter on Linux
constexpr std::uint64_t kMilliseconds = 1000;

std::uint64_t Ms(double milliseconds, std::uint64_t ticksPerSecond = kNanoseconds)
{
    return static_cast<std::uint64_t>(milliseconds * static_cast<double>(ticksPerSecond) / 1000.0);
}

TEST(FramePacerTest, TheFirstFrameCountsAsANominalFrameAndIsNeverHeld)
{
    CFramePacer pacer;
    EXPECT_FALSE(pacer.WaitBefore(Ms(5000), kNanoseconds, true).needed);
    EXPECT_FLOAT_EQ(pacer.BeginFrame(Ms(5000), kNanoseconds), kNominalFrameTime);
}

TEST(FramePacerTest, AFrameCountsTheTimeSinceThePreviousOneBeganOnAnyCounter)
{
    for (const std::uint64_t rate : {kNanoseconds, kMilliseconds}) {
        CFramePacer pacer;
        pacer.BeginFrame(Ms(1000, rate), rate);
        EXPECT_NEAR(pacer.BeginFrame(Ms(1020, rate), rate), 0.020f, 1e-6f) << rate;
        EXPECT_NEAR(pacer.BeginFrame(Ms(1027, rate), rate), 0.007f, 1e-6f) << rate;
    }
}

TEST(FramePacerTest, ALongStallCountsOnceAndAtMostTheLongestStall)
{
    CFramePacer pacer;
    pacer.BeginFrame(Ms(0), kNanoseconds);
    // A dragged window or a busy machine: nothing may move three seconds' worth at once.
    EXPECT_FLOAT_EQ(pacer.BeginFrame(Ms(3000), kNanoseconds), kLongestStallCounted);
    // The next frame is timed from the end of the stall: the time does not jump twice.
    EXPECT_NEAR(pacer.BeginFrame(Ms(3016), kNanoseconds), 0.016f, 1e-6f);
}

TEST(FramePacerTest, FramesDuringAPauseKeepTheirOwnTimeSoTheGameResumesWithoutAJump)
{
    // The session goes on timing frames while paused, so the first frame after it is one frame.
    CFramePacer pacer;
    pacer.BeginFrame(Ms(0), kNanoseconds);
    float last = 0.0f;
    for (int frame = 1; frame <= 600; ++frame) {
        last = pacer.BeginFrame(Ms(frame * 1000.0 / 60.0), kNanoseconds);
    }
    EXPECT_NEAR(last, kNominalFrameTime, 1e-5f);
}

TEST(FramePacerTest, AHeldFrameThatComesEarlyWaitsTheRestOfTheNominalFrameInWholeMilliseconds)
{
    CFramePacer pacer;
    pacer.BeginFrame(Ms(100), kNanoseconds);
    const FrameWait early = pacer.WaitBefore(Ms(105), kNanoseconds, true);
    EXPECT_TRUE(early.needed);
    EXPECT_EQ(early.milliseconds, 11u);   // 16.67 - 5, cut to whole milliseconds
    // Held but already late, or not held at all: no wait.
    EXPECT_FALSE(pacer.WaitBefore(Ms(120), kNanoseconds, true).needed);
    EXPECT_FALSE(pacer.WaitBefore(Ms(105), kNanoseconds, false).needed);
    // The frame is then timed when it really begins, after the wait.
    EXPECT_NEAR(pacer.BeginFrame(Ms(116.8), kNanoseconds), 0.0168f, 1e-6f);
}

TEST(FramePacerTest, FramesAreHeldWithoutVsyncOrWhenMinimisedAndRaceOnlyWhenABenchmarkAsks)
{
    EXPECT_FALSE(HoldsToNominalRate(/*vsync*/ true, /*uncapped*/ false, /*minimized*/ false));
    EXPECT_TRUE(HoldsToNominalRate(false, false, false));
    EXPECT_FALSE(HoldsToNominalRate(false, true, false));   // VANTOR_UNCAPPED_FRAMES=1
    // A minimised window presents at once, vsync or not: held even for a benchmark.
    EXPECT_TRUE(HoldsToNominalRate(true, false, true));
    EXPECT_TRUE(HoldsToNominalRate(false, true, true));
}

}  // namespace
