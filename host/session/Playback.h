// Replay playback: the recorded frames in the replay's own directory with the recorded clock
// readings, at their own pace in a window, where the viewer can pause ("pause-toggle", or the
// window losing focus), switch fullscreen, or end it ("quit", closing the window, SIGTERM).
// The recorded input reaches the game as recorded, but never the viewer's display mode. At its
// end a window may hold the last frame until the viewer is done with it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "formats/ReplayReader.h"
#include "session/CommandLine.h"
#include "session/FrontEnd.h"
#include "session/ReplayDirectory.h"
#include "session/SessionFrame.h"

// How a replay played: what --verify reports.
struct PlaybackOutcome {
    std::int64_t framesPlayed = 0;
    bool wentOwnWay = false;                  // the game read the clock more or less than recorded
    std::optional<std::int32_t> highScoreBefore;   // the file as the recorded game found it
    std::optional<std::int32_t> highScoreAfter;    // the file as the game left it, when it wrote one
};

class CPlayback {
public:
    CPlayback(const HostOptions& options, CFrontEnd& frontEnd, CHostEngine& engine, CSessionFrame& frame,
              std::unique_ptr<CReplayReader> replay);

    // Enters the replay's directory and hands the game's clock the recorded readings.
    bool Start(std::string& error);
    // Takes the window's fullscreen switch away from the game, for the viewer's own use.
    void KeepDisplayMode(std::function<void(bool)> fullscreenSwitch);
    // One step: a recorded frame, or in a window a wait of at most a frame's worth or a paused
    // frame; false once the replay has ended or the viewer ended it.
    bool Step();
    // Says how the replay went and leaves its directory.
    PlaybackOutcome Finish();

    const CReplayReader& Replay() const { return *replay; }

private:
    using Clock = std::chrono::steady_clock;

    bool Over() const;
    // The replay has played out: in a window the front end may go on showing its last frame.
    bool Ended();
    // Plays the next recorded frame; false when there was none or the game quit.
    bool PlayFrame();
    // The viewer's controls before a frame; false when the viewer ended the replay.
    bool FollowViewer(bool focusLost);
    // In a window: whether the next recorded frame is due, after waiting at most a frame's worth.
    bool Due();

    const HostOptions& options;
    CFrontEnd& frontEnd;
    CHostEngine& engine;
    CSessionFrame& frame;
    const std::unique_ptr<CReplayReader> replay;
    CReplayDirectory directory;
    ReplayFrame recorded;
    std::int64_t played = 0;
    FrameInput viewer;
    bool viewerPaused = false;
    bool pauseHeld = false;
    std::function<void(bool)> fullscreenSwitch;
    bool fullscreen = false;
    bool fullscreenHeld = false;
    bool started = false;
    bool holding = false;   // played out, the last frame still shown
    Clock::time_point due;
};
