// Whole sessions in this process, through the real plug-ins and assets of the build, driven by a
// scripted front end: the best game kept, an output failing mid-run, a replay paused by its
// viewer, sessions one after another, and what killed runs left behind.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <utility>

#include "formats/InputScript.h"
#include "formats/ReplayReader.h"
#include "session/FrontEnd.h"
#include "session/HostSession.h"
#include "session/SessionLoop.h"
#include "system/HostFiles.h"
#include "system/InputDevices.h"
#include "TestFiles.h"

namespace {

// A front end with no window: input from a script applied by call of BeginFrame (so that it
// goes on while a replay is paused), drawing every frame or none, and counts of what it was asked.
class CScriptedFrontEnd final : public CFrontEnd {
public:
    CScriptedFrontEnd(const std::string& script, bool drawsEveryFrame) : text(script), draws(drawsEveryFrame) {}

    bool Prepare(std::string& error) override
    {
        return ParseInputScript(text, InputDevicesScriptNames(), events, error);
    }
    bool Open(CHostSession&, std::string&) override
    {
        ++opened;
        return true;
    }
    std::filesystem::path DefaultWorkDirectory() override { return {}; }
    void StartDevices(CHostSession&) override
    {
        InputDevicesUseVirtual();
    }
    FrontEndEvents BeginFrame(std::int64_t) override
    {
        while (next < events.size() && events[next].frame <= calls) {
            InputDevicesApply(events[next++]);
        }
        const auto found = scheduled.find(calls);
        ++calls;
        return found != scheduled.end() ? found->second : FrontEndEvents{};
    }
    bool DrawsEveryFrame() const override { return draws; }
    bool ShowsHowToPlay() const override { return player; }
    void Present(const Bitmap& canvas, Bitmap* shot) override
    {
        if (keepPictures) {
            shown.push_back(canvas);
        }
        ++presented;
        if (shot != nullptr) {
            *shot = canvas;
        }
    }
    float NextFrameTime() override { return 1.0f / 60.0f; }
    void Close(CHostSession&) override { ++closed; }
    void ShowReplay(const std::string& name) override { replayShown = name; }
    // Holds a replay's end for holdSteps steps, not counting frames meanwhile.
    bool HoldReplayEnd() override
    {
        EXPECT_EQ(closed, 0);
        return ++holdCalls <= holdSteps;
    }

    int calls = 0;
    int presented = 0;
    int opened = 0;
    int closed = 0;
    bool player = false;                          // a player's window, where the card shows
    std::map<int, FrontEndEvents> scheduled;      // by call of BeginFrame
    bool keepPictures = false;
    std::vector<Bitmap> shown;                    // every drawn picture, when kept
    std::string replayShown;
    int holdSteps = 0;
    int holdCalls = 0;

private:
    std::string text;
    bool draws;
    std::vector<ScriptEvent> events;
    std::size_t next = 0;
};

// Moving, shooting (keys and pad) and then standing under the demons until the game is lost.
const char* const kScoringScript =
    "0 down LEFT\n200 up LEFT\n201 down RIGHT\n330 up RIGHT\n"
    "331 down SPACE\n340 up SPACE\n350 down SPACE\n360 up SPACE\n370 down SPACE\n380 up SPACE\n"
    "400 pad connect\n410 pad stick 30000 0\n500 pad stick 0 0\n510 pad down A\n520 pad up A\n";
constexpr long kScoringGameFrames = 4300;

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { start = std::filesystem::current_path(); }
    void TearDown() override { std::filesystem::current_path(start); }

    int Run(HostOptions options, CScriptedFrontEnd& frontEnd)
    {
        options.headless = true;
        return RunSession(options, frontEnd, VANTOR_BIN_DIR);
    }

    std::filesystem::path At(const std::string& name) const { return work.Path() / name; }

    // Live play in live/, traced to recorded.jsonl and recorded to game.replay.
    HostOptions LiveOptions(long frames) const
    {
        HostOptions options;
        options.workDirectory = At("live");
        options.frames = frames;
        options.trace = At("recorded.jsonl");
        options.record = At("game.replay");
        return options;
    }
    bool RecordGame(long frames, const std::string& script)
    {
        CScriptedFrontEnd player(script, false);
        return Run(LiveOptions(frames), player) == EXIT_SUCCESS;
    }
    // game.replay played back, traced to replayed.jsonl.
    HostOptions ReplayOptions() const
    {
        HostOptions options;
        options.replay = At("game.replay");
        options.trace = At("replayed.jsonl");
        return options;
    }

    std::vector<std::string> Lines(const std::string& name) const
    {
        std::istringstream text(ReadText(At(name)));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    CTempDirectory work;
    std::filesystem::path start;
};

CReplayReader ReadReplay(const std::filesystem::path& file)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    CReplayReader replay;
    EXPECT_TRUE(ReadWholeFile(file, kLongestReplay, bytes, error)) << error;
    EXPECT_TRUE(replay.Open(std::move(bytes), error)) << error;
    return replay;
}

TEST_F(SessionTest, TheBestGameIsKeptWhereTheGameEndedOnlyWhenItBeatsTheScore)
{
    // The clock the game seeds its demons from is fixed (see CMakeLists.txt): they fly where this
    // script scores 50 points before the game ends.
    if (std::getenv("FAKETIME") == nullptr) {
        GTEST_SKIP() << "no fixed clock (faketime) for the game";
    }
    HostOptions options;
    options.workDirectory = At("live");
    options.frames = kScoringGameFrames;
    options.trace = At("trace.jsonl");
    CScriptedFrontEnd frontEnd(kScoringScript, false);
    ASSERT_EQ(Run(options, frontEnd), EXIT_SUCCESS) << LastProblem();

    const std::vector<std::string> trace = Lines("trace.jsonl");
    std::size_t gameOver = 0;
    while (gameOver < trace.size() && trace[gameOver].find("images/GameOver.bmp") == std::string::npos) {
        ++gameOver;
    }
    ASSERT_LT(gameOver, trace.size()) << "the game never ended";
    // Cut at the first multiple of 30 frames that includes the game's end, as it always was.
    const CReplayReader best = ReadReplay(At("live/best.replay"));
    EXPECT_EQ(best.FrameCount() % 30, 0);
    EXPECT_GT(best.FrameCount(), static_cast<std::int64_t>(gameOver));
    EXPECT_LE(best.FrameCount(), static_cast<std::int64_t>(gameOver + 30));
    EXPECT_FALSE(best.Header().highScoreExists);
    // No temporary file is left beside them.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(At("live"))) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"best.replay", "highscore"}));

    // A score no game here reaches: nothing is kept.
    std::filesystem::current_path(start);
    std::filesystem::remove_all(At("live"));
    std::filesystem::create_directories(At("live"));
    WriteBytes(At("live/highscore"), {0x00, 0x00, 0x00, 0x40});
    CScriptedFrontEnd again(kScoringScript, false);
    ASSERT_EQ(Run(options, again), EXIT_SUCCESS) << LastProblem();
    EXPECT_NE(ReadText(At("trace.jsonl")).find("images/GameOver.bmp"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(At("live/best.replay")));
}

TEST_F(SessionTest, AnOutputThatFailsFailsTheSessionButNotTheGameOrTheOtherOutputs)
{
    HostOptions options;
    options.workDirectory = At("live");
    options.frames = 600;
    options.trace = "/dev/full";
    options.record = At("game.replay");
    CScriptedFrontEnd frontEnd("0 down RIGHT\n", false);
    EXPECT_EQ(Run(options, frontEnd), EXIT_FAILURE);
    EXPECT_EQ(LastProblem(), "cannot write the trace file /dev/full");
    EXPECT_EQ(frontEnd.calls, 600);
    EXPECT_EQ(frontEnd.closed, 1);
    EXPECT_EQ(ReadReplay(At("game.replay")).FrameCount(), 600);
}

TEST_F(SessionTest, LivePlayClearsWhatKilledRunsLeftOfTheirBestGameButNotALiveOnes)
{
    const std::filesystem::path live = At("live");
    std::filesystem::create_directories(live);
    // No process has an id above the kernel's largest (4194304); this test's own is running.
    const std::filesystem::path killed = live / "best.replay.4194305.tmp";
    const std::filesystem::path running = live / ("best.replay." + std::to_string(getpid()) + ".tmp");
    const std::filesystem::path other = live / "best.replay.4194305.bak";
    for (const auto& file : {killed, running, other}) {
        std::ofstream(file) << "partial";
    }
    HostOptions options;
    options.workDirectory = live;
    options.frames = 2;
    CScriptedFrontEnd frontEnd("", false);
    EXPECT_EQ(Run(options, frontEnd), EXIT_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(killed));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(other));
}

TEST_F(SessionTest, AViewerPausesAReplayWithoutChangingIt)
{
    ASSERT_TRUE(RecordGame(60, "0 down RIGHT\n30 up RIGHT\n31 down SPACE\n"));
    // P pressed at the 10th frame shown and again at the 20th: ten frames shown paused.
    CScriptedFrontEnd viewer("10 down P\n12 up P\n20 down P\n22 up P\n", true);
    ASSERT_EQ(Run(ReplayOptions(), viewer), EXIT_SUCCESS) << LastProblem();
    // Looks at the viewer between frames too, while a recorded frame is not yet due.
    EXPECT_GE(viewer.calls, 70);
    EXPECT_EQ(viewer.presented, 70);
    EXPECT_EQ(ReadText(At("replayed.jsonl")), ReadText(At("recorded.jsonl")));
}

// The last frame stays as long as a window wants it, only when the replay played out: not headless,
// not when the viewer ended it, not when --frames cut it short.
TEST_F(SessionTest, AReplayInAWindowIsNamedAndItsEndHeldOnlyWhenItPlayedOut)
{
    ASSERT_TRUE(RecordGame(60, "0 down RIGHT\n30 up RIGHT\n"));
    CScriptedFrontEnd viewer("", true);
    viewer.holdSteps = 3;
    ASSERT_EQ(Run(ReplayOptions(), viewer), EXIT_SUCCESS) << LastProblem();
    EXPECT_EQ(viewer.replayShown, "game.replay");
    EXPECT_EQ(viewer.holdCalls, 4);
    EXPECT_EQ(viewer.presented, 60);   // held, not played on
    EXPECT_EQ(viewer.closed, 1);
    EXPECT_EQ(ReadText(At("replayed.jsonl")), ReadText(At("recorded.jsonl")));

    CScriptedFrontEnd headless("", false);
    CScriptedFrontEnd stopped("5 down ESCAPE\n", true);
    CScriptedFrontEnd cut("", true);
    HostOptions shorter = ReplayOptions();
    shorter.frames = 30;
    for (auto [frontEnd, options] : {std::pair{&headless, ReplayOptions()}, std::pair{&stopped, ReplayOptions()},
                                     std::pair{&cut, shorter}}) {
        frontEnd->holdSteps = 3;
        ASSERT_EQ(Run(options, *frontEnd), EXIT_SUCCESS) << LastProblem();
        EXPECT_EQ(frontEnd->holdCalls, 0);
    }
}

TEST_F(SessionTest, SessionsRunOneAfterAnotherInOneProcessEachFromACleanStart)
{
    ASSERT_TRUE(RecordGame(300, "0 down LEFT\n100 up LEFT\n101 down SPACE\n"));
    const std::string recorded = ReadText(At("recorded.jsonl"));

    // Each replay hands the game its own clock readings from the first; none is left over.
    for (int run = 0; run < 2; ++run) {
        CScriptedFrontEnd viewer("", false);
        ASSERT_EQ(Run(ReplayOptions(), viewer), EXIT_SUCCESS) << LastProblem();
        EXPECT_EQ(ReadText(At("replayed.jsonl")), recorded) << "run " << run;
        EXPECT_EQ(viewer.opened, 1);
        EXPECT_EQ(viewer.closed, 1);
    }
    // And live play after them records again.
    HostOptions live = LiveOptions(300);
    live.record = At("again.replay");
    CScriptedFrontEnd again("", false);
    ASSERT_EQ(Run(live, again), EXIT_SUCCESS) << LastProblem();
    EXPECT_EQ(ReadReplay(At("again.replay")).FrameCount(), 300);
}

}  // namespace

TEST_F(SessionTest, TheHowToPlayCardHoldsAFirstGameAsRecordedPausedFramesThatReplayExactly)
{
    HostOptions options;
    options.workDirectory = At("live");
    options.record = At("game.replay");
    const auto playUntil = [](CScriptedFrontEnd& frontEnd, int frames) {
        frontEnd.player = true;
        frontEnd.keepPictures = true;
        frontEnd.scheduled[frames].closed = true;
    };
    // Right is pressed to close the card, and let go at frame 40; then the game is played.
    CScriptedFrontEnd first("30 down RIGHT\n40 up RIGHT\n50 down RIGHT\n", true);
    playUntil(first, 90);
    ASSERT_EQ(Run(options, first), EXIT_SUCCESS) << LastProblem();
    EXPECT_TRUE(std::filesystem::exists(At("live/how-to-play.seen")));
    // The card's rim, at the top of the card below the HUD, over the dimmed game.
    ASSERT_EQ(first.shown.size(), 90u);
    const auto rim = [](const Bitmap& picture) { return picture.pixels[84 * picture.width + 320] & 0xFFFFFFu; };
    EXPECT_EQ(rim(first.shown[0]), 0x41A6F6u);
    EXPECT_EQ(rim(first.shown[40]), 0x41A6F6u);
    EXPECT_NE(rim(first.shown[41]), 0x41A6F6u);

    CReplayReader replay = ReadReplay(At("game.replay"));
    ReplayFrame frame;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(replay.Next(frame));
        EXPECT_TRUE(frame.hostPaused) << i;
        EXPECT_TRUE(frame.input.actions.empty()) << i;
    }
    ASSERT_TRUE(replay.Next(frame));
    EXPECT_FALSE(frame.hostPaused);
    ASSERT_EQ(frame.input.actions.size(), 1u);
    EXPECT_STREQ(frame.input.actions[0].name, "pause-toggle");

    // Played back, the game goes the same way: Hiro walks only after the card.
    CScriptedFrontEnd viewer("", false);
    ASSERT_EQ(Run(ReplayOptions(), viewer), EXIT_SUCCESS) << LastProblem();
    const std::vector<std::string> trace = Lines("replayed.jsonl");
    ASSERT_EQ(trace.size(), 90u);
    EXPECT_EQ(trace[10].substr(trace[10].find("\"sprites\"")), trace[40].substr(trace[40].find("\"sprites\"")));
    EXPECT_NE(trace[40].substr(trace[40].find("\"sprites\"")), trace[80].substr(trace[80].find("\"sprites\"")));

    // Once closed, it is not shown again, until asked for with its key; any key closes it then.
    CScriptedFrontEnd second("", true);
    playUntil(second, 30);
    second.scheduled[10].howToPlay = true;
    second.scheduled[20].keyPressed = true;
    ASSERT_EQ(Run(options, second), EXIT_SUCCESS) << LastProblem();
    CReplayReader again = ReadReplay(At("game.replay"));
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(again.Next(frame));
        EXPECT_EQ(frame.hostPaused, i >= 10 && i <= 20) << i;
    }
}
