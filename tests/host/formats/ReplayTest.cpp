// The replay format: what a recording keeps comes back exactly, and no damaged, cut, foreign or
// forged file is taken for a replay; a refusal names the frame and the fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "formats/Replay.h"
#include "formats/ReplayReader.h"

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

// Bytes with an end record that fits them (frames as the end says), however they came about.
std::vector<std::uint8_t> Sealed(std::vector<std::uint8_t> bytes, std::uint64_t frames)
{
    const std::vector<std::uint8_t> end = ReplayEndRecord(bytes, frames);
    bytes.insert(bytes.end(), end.begin(), end.end());
    return bytes;
}

ReplayHeader SomeHeader()
{
    ReplayHeader header;
    header.hostVersion = "1.0";
    header.fingerprint = 0x0123456789abcdefull;
    header.highScoreExists = true;
    header.highScoreBytes = {0xFA, 0, 0, 0};
    return header;
}

// A small recording: a start reading, three frames, a Retry's reading inside the second.
std::vector<std::uint8_t> SmallReplay()
{
    CReplayEncoder encoder(SomeHeader());
    encoder.AddClockReading(1704110400);
    encoder.AddFrame(1.0f / 60.0f, false, {{Action("right", 1.0f), Action("left", 0.25f)}});
    encoder.AddFrame(0.1f, true, {});
    encoder.AddClockReading(-7);
    encoder.AddFrame(std::bit_cast<float>(0x3c888889u), false, {{Action(std::string(255, 'x').c_str(), -0.0f)}});
    return Whole(encoder);
}

// The error of opening bytes, or "" when they open.
std::string Refusal(std::vector<std::uint8_t> bytes)
{
    CReplayReader reader;
    std::string error;
    return reader.Open(std::move(bytes), error) ? std::string() : error;
}

// A recording of one good frame, then one with the given time and input.
std::vector<std::uint8_t> WithSecondFrame(float dt, const FrameInput& input)
{
    CReplayEncoder encoder(SomeHeader());
    encoder.AddFrame(1.0f / 60.0f, false, {{Action("right", 1.0f)}});
    encoder.AddFrame(dt, false, input);
    return Whole(encoder);
}

TEST(ReplayTest, EverythingRecordedComesBackBitForBit)
{
    CReplayReader replay;
    std::string error;
    ASSERT_TRUE(replay.Open(SmallReplay(), error)) << error;
    EXPECT_EQ(replay.Header().formatVersion, kReplayFormatVersion);
    EXPECT_EQ(replay.Header().hostVersion, "1.0");
    EXPECT_EQ(replay.Header().fingerprint, 0x0123456789abcdefull);
    EXPECT_TRUE(replay.Header().highScoreExists);
    EXPECT_EQ(replay.Header().highScoreBytes, (std::vector<std::uint8_t>{0xFA, 0, 0, 0}));
    EXPECT_EQ(replay.StartReadings(), (std::vector<std::int64_t>{1704110400}));
    EXPECT_EQ(replay.FrameCount(), 3);
    EXPECT_EQ(replay.ClockReadingCount(), 2);
    EXPECT_NEAR(replay.GameTime(), 1.0 / 60 + 0.1 + 1.0 / 60, 1e-6);

    ReplayFrame frame;
    ASSERT_TRUE(replay.Next(frame));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(frame.dt), std::bit_cast<std::uint32_t>(1.0f / 60.0f));
    EXPECT_FALSE(frame.hostPaused);
    ASSERT_EQ(frame.input.actions.size(), 2u);
    EXPECT_STREQ(frame.input.actions[1].name, "left");
    EXPECT_EQ(frame.input.actions[1].value, 0.25f);
    // The rest of a name is zero, as the queue's records are.
    EXPECT_TRUE(std::all_of(frame.input.actions[0].name + 5, frame.input.actions[0].name + 256,
                            [](char c) { return c == '\0'; }));
    EXPECT_TRUE(frame.clockReadings.empty());

    ASSERT_TRUE(replay.Next(frame));
    EXPECT_TRUE(frame.hostPaused);
    EXPECT_TRUE(frame.input.actions.empty());
    EXPECT_EQ(frame.clockReadings, (std::vector<std::int64_t>{-7}));

    ASSERT_TRUE(replay.Next(frame));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(frame.dt), 0x3c888889u);
    EXPECT_EQ(std::strlen(frame.input.actions[0].name), 255u);
    EXPECT_TRUE(std::signbit(frame.input.actions[0].value));
    EXPECT_TRUE(frame.clockReadings.empty());
    EXPECT_FALSE(replay.Next(frame));
}

TEST(ReplayTest, EveryCutAndEveryFlippedByteIsRefused)
{
    const std::vector<std::uint8_t> whole = SmallReplay();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        EXPECT_NE(Refusal({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)}), "")
            << "cut at " << length;
    }
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (const int mask : {0x01, 0x80, 0xFF}) {
            std::vector<std::uint8_t> damaged = whole;
            damaged[at] = static_cast<std::uint8_t>(damaged[at] ^ mask);
            EXPECT_NE(Refusal(damaged), "") << "byte " << at << " ^ " << mask;
        }
    }
    // A trailing record after a valid end is damage, not a second replay.
    std::vector<std::uint8_t> extended = SmallReplay();
    extended.push_back('F');
    EXPECT_NE(Refusal(extended), "");
}

TEST(ReplayTest, ForeignNewerAndOlderFormatsSaySoOrPlay)
{
    EXPECT_EQ(Refusal({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "not a Vantor replay");

    std::vector<std::uint8_t> bytes = SmallReplay();
    bytes.resize(bytes.size() - 17);
    bytes[8] = 3;
    EXPECT_NE(Refusal(Sealed(bytes, 3)).find("newer vantor (format 3"), std::string::npos);
    // Format 1 is the same but for what its fingerprint is of: it still plays.
    bytes[8] = 1;
    CReplayReader old;
    std::string error;
    ASSERT_TRUE(old.Open(Sealed(bytes, 3), error)) << error;
    EXPECT_EQ(old.Header().formatVersion, 1u);
    EXPECT_EQ(old.FrameCount(), 3);
}

TEST(ReplayTest, ValuesNoHostMakesAreRefusedNamingTheFrame)
{
    const FrameInput none;
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* fault;
    } cases[] = {
        {"NaN frame time", WithSecondFrame(std::numeric_limits<float>::quiet_NaN(), none), "frame time (nan s)"},
        {"negative frame time", WithSecondFrame(-0.016f, none), "frame time (-0.016 s)"},
        {"a frame time of 1e6 s", WithSecondFrame(1e6f, none), "frame time (1e+06 s)"},
        {"an infinite frame time", WithSecondFrame(std::numeric_limits<float>::infinity(), none), "(inf s)"},
        {"an infinite value", WithSecondFrame(0.01f, {{Action("right", std::numeric_limits<float>::infinity())}}),
         "action \"right\" has a value that is not a number"},
        {"a NaN value", WithSecondFrame(0.01f, {{Action("fire", std::nanf(""))}}), "\"fire\" has a value"},
        {"an escape in a name", WithSecondFrame(0.01f, {{Action("up", 1.0f), Action("\x1b]0;x\x07", 1.0f)}}),
         "action 2 has a name no input plug-in posts"},
        {"an empty name", WithSecondFrame(0.01f, {{Action("", 1.0f)}}), "action 1 has a name"},
    };
    for (const auto& hostile : cases) {
        const std::string error = Refusal(hostile.bytes);
        EXPECT_NE(error.find("frame 1 is refused"), std::string::npos) << hostile.what << ": " << error;
        EXPECT_NE(error.find(hostile.fault), std::string::npos) << hostile.what << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
    // The longest frame time a host makes is fine, as is a frame time of 0.
    EXPECT_EQ(Refusal(WithSecondFrame(kLongestFrameTime, none)), "");
    EXPECT_EQ(Refusal(WithSecondFrame(0.0f, none)), "");
}

TEST(ReplayTest, ACutClockRecordIsDamageWhereverItIs)
{
    CReplayEncoder encoder(SomeHeader());
    encoder.AddFrame(1.0f / 60.0f, false, {});
    for (const std::size_t kept : {0u, 3u, 7u}) {
        std::vector<std::uint8_t> bytes = encoder.Bytes();
        bytes.push_back('K');
        bytes.insert(bytes.end(), kept, 0x11);
        EXPECT_NE(Refusal(Sealed(bytes, 1)).find("frame 0 is refused: a clock reading after it is cut short"),
                  std::string::npos)
            << kept;
    }
    CReplayEncoder empty(SomeHeader());
    std::vector<std::uint8_t> bytes = empty.Bytes();
    bytes.push_back('K');
    EXPECT_NE(Refusal(Sealed(bytes, 0)).find("before the first frame is cut short"), std::string::npos);
}

TEST(ReplayTest, TheLargestFramesPlayAndTheLongestRecordingIsCapped)
{
    // 255 actions of 255 bytes: as much as a frame record holds, and read back whole.
    FrameInput most;
    most.actions.assign(300, Action(std::string(255, 'a').c_str(), 1.0f));
    CReplayEncoder encoder(SomeHeader());
    while (!encoder.Full()) {
        encoder.AddFrame(1.0f / 60.0f, false, most);
    }
    EXPECT_LE(encoder.Bytes().size() + encoder.End().size(), kLongestReplay);
    const std::int64_t frames = encoder.FrameCount();
    encoder.AddClockReading(5);   // nothing more is kept once full
    encoder.AddFrame(0.01f, false, {});
    EXPECT_EQ(encoder.FrameCount(), frames);

    CReplayReader replay;
    std::string error;
    ASSERT_TRUE(replay.Open(Whole(encoder), error)) << error;
    EXPECT_EQ(replay.FrameCount(), frames);
    ReplayFrame frame;
    ASSERT_TRUE(replay.Next(frame));
    EXPECT_EQ(frame.input.actions.size(), 255u);

    // One byte over the cap is refused before anything is decoded.
    std::vector<std::uint8_t> over = SmallReplay();
    over.resize(kLongestReplay + 1);
    EXPECT_NE(Refusal(std::move(over)).find("larger than any vantor records (48 MiB)"), std::string::npos);
}

TEST(ReplayTest, AFrameCostsAFewBytes)
{
    CReplayEncoder encoder(ReplayHeader{});
    const std::size_t before = encoder.Bytes().size();
    encoder.AddFrame(1.0f / 60.0f, false, {{Action("right", 1.0f), Action("shoot", 1.0f)}});
    EXPECT_EQ(encoder.Bytes().size() - before, 1u + 4 + 1 + 1 + (1 + 5 + 4) * 2);
    EXPECT_EQ(encoder.FrameCount(), 1);
}

TEST(ReplayTest, TextFromAFileIsShownPrintable)
{
    EXPECT_EQ(PrintableText("1.0 beta"), "1.0 beta");
    EXPECT_EQ(PrintableText("\x1b]0;owned\x07\n\xc3\xa9"), "\\x1b]0;owned\\x07\\x0a\\xc3\\xa9");
}

}  // namespace
