// The replay format: what a recording keeps comes back exactly, and no damaged, cut or foreign
// file is taken for a replay.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "formats/Replay.h"

namespace {

ActionRecord Action(const char* name, float value)
{
    ActionRecord action{};
    std::strncpy(action.name, name, sizeof action.name - 1);
    action.value = value;
    return action;
}

std::vector<std::uint8_t> Whole(const CReplayEncoder& encoder)
{
    std::vector<std::uint8_t> bytes = encoder.Bytes();
    const std::vector<std::uint8_t> end = encoder.End();
    bytes.insert(bytes.end(), end.begin(), end.end());
    return bytes;
}

// A small recording: a start reading, three frames, a Retry's reading inside the second.
std::vector<std::uint8_t> SmallReplay()
{
    ReplayHeader header;
    header.hostVersion = "1.0";
    header.moduleFingerprint = 0x0123456789abcdefull;
    header.highScoreExists = true;
    header.highScoreBytes = {0xFA, 0, 0, 0};
    CReplayEncoder encoder(header);
    encoder.AddClockReading(1704110400);
    encoder.AddFrame(1.0f / 60.0f, false, {{Action("right", 1.0f), Action("left", 0.25f)}});
    encoder.AddFrame(0.1f, true, {});
    encoder.AddClockReading(-7);
    encoder.AddFrame(std::bit_cast<float>(0x3c888889u), false, {{Action(std::string(255, 'x').c_str(), -0.0f)}});
    return Whole(encoder);
}

TEST(ReplayTest, EverythingRecordedComesBackBitForBit)
{
    Replay replay;
    std::string error;
    ASSERT_TRUE(DecodeReplay(SmallReplay(), replay, error)) << error;
    EXPECT_EQ(replay.header.hostVersion, "1.0");
    EXPECT_EQ(replay.header.moduleFingerprint, 0x0123456789abcdefull);
    EXPECT_TRUE(replay.header.highScoreExists);
    EXPECT_EQ(replay.header.highScoreBytes, (std::vector<std::uint8_t>{0xFA, 0, 0, 0}));
    EXPECT_EQ(replay.startReadings, (std::vector<std::int64_t>{1704110400}));
    ASSERT_EQ(replay.frames.size(), 3u);

    const ReplayFrame& first = replay.frames[0];
    EXPECT_EQ(std::bit_cast<std::uint32_t>(first.dt), std::bit_cast<std::uint32_t>(1.0f / 60.0f));
    EXPECT_FALSE(first.hostPaused);
    ASSERT_EQ(first.input.actions.size(), 2u);
    EXPECT_STREQ(first.input.actions[1].name, "left");
    EXPECT_EQ(first.input.actions[1].value, 0.25f);
    // The rest of a name is zero, as the queue's records are.
    EXPECT_TRUE(std::all_of(first.input.actions[0].name + 5, first.input.actions[0].name + 256,
                            [](char c) { return c == '\0'; }));

    EXPECT_TRUE(replay.frames[1].hostPaused);
    EXPECT_EQ(replay.frames[1].clockReadings, (std::vector<std::int64_t>{-7}));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(replay.frames[2].dt), 0x3c888889u);
    EXPECT_EQ(std::strlen(replay.frames[2].input.actions[0].name), 255u);
    EXPECT_TRUE(std::signbit(replay.frames[2].input.actions[0].value));
}

TEST(ReplayTest, EveryCutOfAReplayIsRefused)
{
    const std::vector<std::uint8_t> whole = SmallReplay();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        Replay replay;
        std::string error;
        EXPECT_FALSE(DecodeReplay({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)},
                                  replay, error))
            << "cut at " << length;
        EXPECT_FALSE(error.empty());
    }
}

TEST(ReplayTest, EveryFlippedByteIsRefused)
{
    const std::vector<std::uint8_t> whole = SmallReplay();
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (const int mask : {0x01, 0x80, 0xFF}) {
            std::vector<std::uint8_t> damaged = whole;
            damaged[at] = static_cast<std::uint8_t>(damaged[at] ^ mask);
            Replay replay;
            std::string error;
            EXPECT_FALSE(DecodeReplay(damaged, replay, error)) << "byte " << at << " ^ " << mask;
        }
    }
}

TEST(ReplayTest, ForeignAndNewerFilesSaySo)
{
    Replay replay;
    std::string error;
    EXPECT_FALSE(DecodeReplay({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, replay, error));
    EXPECT_EQ(error, "not a Vantor replay");

    std::vector<std::uint8_t> newer = SmallReplay();
    newer[8] = 2;
    EXPECT_FALSE(DecodeReplay(newer, replay, error));
    EXPECT_NE(error.find("newer vantor (format 2"), std::string::npos) << error;

    // A trailing record after a valid end is damage, not a second replay.
    std::vector<std::uint8_t> extended = SmallReplay();
    extended.push_back('F');
    EXPECT_FALSE(DecodeReplay(extended, replay, error));
}

TEST(ReplayTest, AFrameCostsAFewBytes)
{
    ReplayHeader header;
    CReplayEncoder encoder(header);
    const std::size_t before = encoder.Bytes().size();
    encoder.AddFrame(1.0f / 60.0f, false, {{Action("right", 1.0f), Action("shoot", 1.0f)}});
    EXPECT_EQ(encoder.Bytes().size() - before, 1u + 4 + 1 + 1 + (1 + 5 + 4) * 2);
    EXPECT_EQ(encoder.FrameCount(), 1);
}

}  // namespace
