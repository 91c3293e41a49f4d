// Replay playback.
#include "session/Playback.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <thread>

#include "engine/HostActions.h"
#include "system/GameClock.h"

namespace {
// After a stall longer than this, a replay in a window goes on from now rather than race.
constexpr std::chrono::milliseconds kLongestCatchUp(250);
}  // namespace

CPlayback::CPlayback(const HostOptions& givenOptions, CFrontEnd& givenFrontEnd, CHostEngine& givenEngine,
                     CSessionFrame& givenFrame, std::unique_ptr<const Replay> givenReplay)
    : options(givenOptions), frontEnd(givenFrontEnd), engine(givenEngine), frame(givenFrame),
      replay(std::move(givenReplay))
{
}

bool CPlayback::Start(std::string& error)
{
    if (!directory.Enter(replay->header, error)) {
        return false;
    }
    GameClock::Replay();
    GameClock::QueueReadings(replay->startReadings);
    return true;
}

bool CPlayback::FollowViewer(bool focusLost)
{
    engine.CaptureInput(viewer);
    const auto has = [this](const char* name) {
        return std::any_of(viewer.actions.begin(), viewer.actions.end(),
                           [name](const ActionRecord& action) { return std::string_view(action.name) == name; });
    };
    if (has(kQuitAction)) {
        return false;
    }
    const bool pauseNow = has(kPauseToggleAction);
    viewerPaused = (viewerPaused != (pauseNow && !pauseHeld)) || focusLost;
    pauseHeld = pauseNow;
    return true;
}

void CPlayback::Run()
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point due = Clock::now();
    std::size_t next = 0;
    frontEnd.NextFrameTime();
    while ((options.frames < 0 || engine.FrameNumber() < options.frames) && next < replay->frames.size()) {
        const FrontEndEvents events = frontEnd.BeginFrame(engine.FrameNumber());
        if (events.closed) {
            break;
        }
        if (frontEnd.DrawsEveryFrame()) {
            if (!FollowViewer(events.focusLost)) {
                break;
            }
            if (viewerPaused) {
                frame.ShowPaused();
                frontEnd.NextFrameTime();
                due = Clock::now();
                continue;
            }
        }
        const ReplayFrame& recorded = replay->frames[next++];
        if (recorded.hostPaused) {
            engine.SetPaused(true);
        }
        GameClock::QueueReadings(recorded.clockReadings);
        frame.Run(recorded.dt, recorded.input);
        if (engine.QuitRequested()) {
            break;
        }
        frontEnd.NextFrameTime();
        if (frontEnd.DrawsEveryFrame()) {
            // At the recorded pace.
            due += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<float>(recorded.dt));
            const Clock::time_point now = Clock::now();
            if (due > now) {
                std::this_thread::sleep_until(due);
            } else if (now - due > kLongestCatchUp) {
                due = now;
            }
        }
    }
    if (GameClock::RanOut()) {
        ReportProblem("warning: the replay went its own way: the game read the clock more often "
                      "than in the recorded run");
    }
}
