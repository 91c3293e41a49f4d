// Replay playback.
#include "session/Playback.h"

#include <algorithm>
#include <string_view>
#include <thread>

#include "HighScoreFormat.h"
#include "engine/HostActions.h"
#include "system/GameClock.h"
#include "session/HostSession.h"
#include "system/HostFiles.h"

namespace {

// After a stall longer than this, a replay in a window goes on from now rather than race.
constexpr std::chrono::milliseconds kLongestCatchUp(250);
// The longest a window waits for a recorded frame without looking at the viewer's events: a
// recorded frame time may be seconds long.
constexpr std::chrono::milliseconds kLongestWait(16);
// How early a page's animation frame may come for a recorded frame that is due.
constexpr std::chrono::milliseconds kPageEarliness(4);
// The most recorded frames one step of a page shows when it is behind.
constexpr int kMostFramesPerStep = 4;

bool Has(const FrameInput& input, const char* name)
{
    return std::any_of(input.actions.begin(), input.actions.end(),
                       [name](const ActionRecord& action) { return std::string_view(action.name) == name; });
}

// The score the game reads from a high-score file's first bytes (none: a file too short).
std::int32_t ScoreOf(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() < kHighScoreSize ? 0 : DecodeHighScore(bytes.data());
}

}  // namespace

CPlayback::CPlayback(const HostOptions& givenOptions, CFrontEnd& givenFrontEnd, CHostEngine& givenEngine,
                     CSessionFrame& givenFrame, std::unique_ptr<CReplayReader> givenReplay)
    : options(givenOptions), frontEnd(givenFrontEnd), engine(givenEngine), frame(givenFrame),
      replay(std::move(givenReplay))
{
}

bool CPlayback::Start(std::string& error)
{
    if (!directory.Enter(replay->Header(), error)) {
        return false;
    }
    GameClock::Replay();
    GameClock::QueueReadings(replay->StartReadings());
    return true;
}

void CPlayback::KeepDisplayMode(std::function<void(bool)> givenSwitch)
{
    fullscreenSwitch = std::move(givenSwitch);
}

bool CPlayback::FollowViewer(bool focusLost)
{
    engine.CaptureInput(viewer);
    if (Has(viewer, kQuitAction)) {
        return false;
    }
    const bool pauseNow = Has(viewer, kPauseToggleAction);
    viewerPaused = (viewerPaused != (pauseNow && !pauseHeld)) || focusLost;
    pauseHeld = pauseNow;
    const bool fullscreenNow = Has(viewer, kFullscreenToggleAction);
    if (fullscreenNow && !fullscreenHeld && fullscreenSwitch) {
        fullscreen = !fullscreen;
        fullscreenSwitch(fullscreen);
    }
    fullscreenHeld = fullscreenNow;
    return true;
}

bool CPlayback::Due()
{
    const Clock::time_point now = Clock::now();
    if (!frontEnd.MayWait()) {
        // A page's animation frames come a little early or late: a frame due within a part of
        // one is shown now.
        return due - now <= kPageEarliness;
    }
    if (now >= due) {
        return true;
    }
    std::this_thread::sleep_for(std::min<Clock::duration>(due - now, kLongestWait));
    return Clock::now() >= due;
}

bool CPlayback::Over() const
{
    return (options.frames >= 0 && engine.FrameNumber() >= options.frames) || played == replay->FrameCount();
}

bool CPlayback::Step()
{
    if (holding) {
        return frontEnd.HoldReplayEnd();
    }
    if (Over()) {
        return Ended();
    }
    if (!started) {
        started = true;
        frontEnd.ShowReplay(options.replay.filename().string());
        frontEnd.NextFrameTime();
        due = Clock::now();
    }
    const FrontEndEvents events = frontEnd.BeginFrame(engine.FrameNumber());
    if (events.closed) {
        return false;
    }
    if (frontEnd.DrawsEveryFrame()) {
        if (!FollowViewer(events.focusLost)) {
            return false;
        }
        if (viewerPaused) {
            frame.ShowPaused();
            frontEnd.NextFrameTime();
            due = Clock::now();
            return true;
        }
        if (!Due()) {
            return true;
        }
        // A page behind the recorded pace (its animation frames may come slower than the recorded
        // ones) shows the frames already due as well, a few at most; a window has a step per frame.
        const int most = frontEnd.MayWait() ? 1 : kMostFramesPerStep;
        for (int shown = 0; shown < most; ++shown) {
            if (!PlayFrame()) {
                return Ended();
            }
            if (Clock::now() < due) {
                break;
            }
        }
        return true;
    }
    return PlayFrame() || Ended();
}

bool CPlayback::Ended()
{
    // A stop that --frames asked for is a tool's, with nobody watching for the end.
    const bool cut = options.frames >= 0 && engine.FrameNumber() >= options.frames;
    holding = frontEnd.DrawsEveryFrame() && !cut;
    return holding && frontEnd.HoldReplayEnd();
}

bool CPlayback::PlayFrame()
{
    if (Over() || !replay->Next(recorded)) {
        return false;
    }
    ++played;
    if (recorded.hostPaused) {
        engine.SetPaused(true);
    }
    GameClock::QueueReadings(recorded.clockReadings);
    frame.Run(recorded.dt, recorded.input);
    if (engine.QuitRequested()) {
        return false;
    }
    frontEnd.NextFrameTime();
    if (frontEnd.DrawsEveryFrame()) {
        // At the recorded pace.
        due += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<float>(recorded.dt));
        const Clock::time_point now = Clock::now();
        if (now - due > kLongestCatchUp) {
            due = now;
        }
    }
    return true;
}

PlaybackOutcome CPlayback::Finish()
{
    PlaybackOutcome outcome;
    outcome.framesPlayed = played;
    // Fewer readings than recorded only tell once every frame has played.
    outcome.wentOwnWay = GameClock::RanOut() ||
                         (played == replay->FrameCount() && GameClock::ReadingCount() != replay->ClockReadingCount());
    const ReplayHeader& header = replay->Header();
    if (header.highScoreExists) {
        outcome.highScoreBefore = ScoreOf(header.highScoreBytes);
    }
    std::vector<std::uint8_t> after;
    if (!directory.Path().empty() &&
        ReadFilePrefix(directory.Path() / kHighScorePath, kReplayHighScoreBytes, after) &&
        (!header.highScoreExists || after != header.highScoreBytes)) {
        outcome.highScoreAfter = ScoreOf(after);
    }
    directory.Leave();
    if (outcome.wentOwnWay) {
        ReportProblem("warning: the replay went its own way: the game read the clock more or less "
                      "often than in the recorded run");
    }
    return outcome;
}
