// Replays as files players send each other, through the real vantor: --verify tells a valid
// replay and its scores from a forged or foreign one, and no replay takes the viewer's window,
// terminal or temporary directory.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>

#include "formats/BmpCodec.h"
#include "formats/ReplayReader.h"
#include "RunVantor.h"
#include "TestFiles.h"

namespace {

const char* const kWindow = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy";

// An idle game of 2,600 frames, which ends in game over within that (the first life goes in 6
// to 25 s, the game in 22 to 41 s), recorded with the given high-score file beforehand.
void RecordIdleGame(const CTempDirectory& work, const std::vector<std::uint8_t>* highScore)
{
    std::filesystem::create_directory(work.Path() / "w");
    if (highScore != nullptr) {
        WriteBytes(work.Path() / "w" / "highscore", *highScore);
    }
    const RunResult run = RunVantor(work, "", "--headless --workdir w --frames 2600 --record game.replay");
    ASSERT_EQ(run.status, 0) << run.errors;
}

CReplayReader Read(const std::filesystem::path& file)
{
    const std::string text = ReadText(file);
    CReplayReader replay;
    std::string error;
    EXPECT_TRUE(replay.Open({text.begin(), text.end()}, error)) << error;
    return replay;
}

// The replay in from, written again to to, with change applied to each frame (by number) and
// to the header.
template <typename Change>
void Rewrite(const std::filesystem::path& from, const std::filesystem::path& to, Change change,
             std::uint64_t fingerprintFlip = 0)
{
    CReplayReader replay = Read(from);
    ReplayHeader header = replay.Header();
    header.fingerprint ^= fingerprintFlip;
    CReplayEncoder encoder(header);
    for (const std::int64_t reading : replay.StartReadings()) {
        encoder.AddClockReading(reading);
    }
    ReplayFrame frame;
    for (std::int64_t number = 0; replay.Next(frame); ++number) {
        change(number, frame);
        encoder.AddFrame(frame.dt, frame.hostPaused, frame.input);
        for (const std::int64_t reading : frame.clockReadings) {
            encoder.AddClockReading(reading);
        }
    }
    std::vector<std::uint8_t> bytes = encoder.Bytes();
    const std::vector<std::uint8_t> end = encoder.End();
    bytes.insert(bytes.end(), end.begin(), end.end());
    WriteBytes(to, bytes);
}

ActionRecord Action(const char* name)
{
    ActionRecord action{};
    std::strncpy(action.name, name, sizeof action.name - 1);
    action.value = 1.0f;
    return action;
}

JsonValue Report(const RunResult& run)
{
    JsonValue report;
    EXPECT_TRUE(ParseJson(run.output, report)) << run.output;
    return report;
}

TEST(VerifyEndToEndTest, AValidReplaySaysSoWithItsGamesAndScores)
{
    CTempDirectory work;
    const std::vector<std::uint8_t> seven = {7, 0, 0, 0};
    RecordIdleGame(work, &seven);

    const RunResult line = RunVantor(work, "", "--verify game.replay");
    EXPECT_EQ(line.status, 0) << line.output << line.errors;
    EXPECT_EQ(line.output.rfind("valid: it plays to its end as recorded; 2600 frames, 43.333 s of game time, 1 game; rules ", 0), 0u)
        << line.output;
    EXPECT_NE(line.output.find("(this game's too); high score 7 before, none written"), std::string::npos) << line.output;

    const RunResult json = RunVantor(work, "", "--verify game.replay --json");
    EXPECT_EQ(json.status, 0) << json.errors;
    const JsonValue report = Report(json);
    EXPECT_TRUE(report["valid"].boolean);
    EXPECT_TRUE(report["sameRules"].boolean);
    EXPECT_EQ(report["rulesFingerprint"].text.size(), 16u);
    EXPECT_EQ(report["rulesFingerprint"].text, report["thisGameRules"].text);
    EXPECT_EQ(report["frames"].number, 2600);
    EXPECT_EQ(report["games"].number, 1);
    EXPECT_EQ(report["highScoreBefore"].number, 7);
    EXPECT_TRUE(report["highScoreWritten"].IsNull());

    // With no high score before, game over writes the first one (0: an idle game scores nothing).
    CTempDirectory fresh;
    RecordIdleGame(fresh, nullptr);
    const JsonValue first = Report(RunVantor(fresh, "", "--verify game.replay --json"));
    EXPECT_TRUE(first["highScoreBefore"].IsNull());
    EXPECT_EQ(first["highScoreWritten"].number, 0);
}

TEST(VerifyEndToEndTest, ForgedAndForeignReplaysAreNotValid)
{
    CTempDirectory work;
    RecordIdleGame(work, nullptr);
    Rewrite(work.Path() / "game.replay", work.Path() / "nan.replay", [](std::int64_t number, ReplayFrame& frame) {
        if (number == 5) {
            frame.dt = std::nanf("");
        }
    });
    const RunResult forged = RunVantor(work, "", "--verify nan.replay");
    EXPECT_EQ(forged.status, 1);
    EXPECT_EQ(forged.output,
              "not valid: cannot play the replay nan.replay: the replay's frame 5 is refused: its frame time "
              "(nan s) is not one a host makes (0 to 10 s)\n");
    const RunResult played = RunVantor(work, "", "--headless --replay nan.replay --trace trace.jsonl");
    EXPECT_EQ(played.status, 1);
    EXPECT_NE(played.errors.find("frame 5 is refused"), std::string::npos) << played.errors;
    EXPECT_TRUE(played.lines.empty());
    EXPECT_FALSE(Report(RunVantor(work, "", "--verify nan.replay --json"))["valid"].boolean);

    // The same game said to come from other rules plays through, but proves nothing here.
    Rewrite(work.Path() / "game.replay", work.Path() / "other.replay", [](std::int64_t, ReplayFrame&) {}, 1);
    const RunResult other = RunVantor(work, "", "--verify other.replay --json");
    EXPECT_EQ(other.status, 1);
    const JsonValue report = Report(other);
    EXPECT_FALSE(report["valid"].boolean);
    EXPECT_TRUE(report["playedToEnd"].boolean);
    EXPECT_FALSE(report["sameRules"].boolean);
    EXPECT_TRUE(other.errors.empty()) << other.errors;   // the report says it; no warning besides
}

TEST(VerifyEndToEndTest, AReplayNeverSwitchesTheViewersWindowToFullscreen)
{
    CTempDirectory work;
    RecordIdleGame(work, nullptr);
    Rewrite(work.Path() / "game.replay", work.Path() / "flips.replay", [](std::int64_t number, ReplayFrame& frame) {
        if (number >= 2 && number < 40 && number % 2 == 0) {
            frame.input.actions.push_back(Action("fullscreen-toggle"));
        }
    });
    const RunResult run =
        RunVantor(work, "", "--replay flips.replay --frames 45 --trace trace.jsonl --screenshot 44:shot.bmp", kWindow);
    EXPECT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 45u);
    EXPECT_NE(run.lines[2].find("fullscreen-toggle"), std::string::npos);   // the trace keeps them
    const std::string text = ReadText(work.Path() / "shot.bmp");
    Bitmap shot;
    std::string error;
    ASSERT_TRUE(DecodeBmp({text.begin(), text.end()}, shot, error)) << error;
    EXPECT_EQ(shot.width, 640);   // the window as it opened, not the dummy display's 1024x768
    EXPECT_EQ(shot.height, 480);
}

TEST(VerifyEndToEndTest, ALongRecordedFrameNeverHoldsTheWindowAndTheReplayCleansUp)
{
    CTempDirectory work;
    RecordIdleGame(work, nullptr);
    // Frames of 10 s each: the longest a host makes, so the replay is valid and slow.
    Rewrite(work.Path() / "game.replay", work.Path() / "slow.replay",
            [](std::int64_t, ReplayFrame& frame) { frame.dt = 10.0f; });
    const std::filesystem::path temp = work.Path() / "tmp";
    std::filesystem::create_directory(temp);
    // A directory a killed replay left, and one of a process that still runs (this one).
    const std::filesystem::path killed = temp / "vantor-replay-4194305-abcdefgh";
    const std::filesystem::path running = temp / ("vantor-replay-" + std::to_string(getpid()) + "-abcdefgh");
    std::filesystem::create_directory(killed);
    std::filesystem::create_directory(running);

    const auto started = std::chrono::steady_clock::now();
    const RunResult run = RunVantor(work, "", "--replay slow.replay", std::string(kWindow) + " TMPDIR=" +
                                                                          Quote(temp.string()) + " timeout --preserve-status -s TERM 1");
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(run.status, 0) << run.errors;   // SIGTERM ends it as closing the window does
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_FALSE(std::filesystem::exists(killed));
    EXPECT_TRUE(std::filesystem::exists(running));
    std::filesystem::remove(running);
    EXPECT_TRUE(std::filesystem::is_empty(temp)) << "the replay's own directory is left";
}

}  // namespace
