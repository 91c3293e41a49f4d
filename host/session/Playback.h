// Replay playback: the recorded frames in the replay's own directory with the recorded clock
// readings, at their own pace in a window, where the viewer can pause ("pause-toggle", or the
// window losing focus) or end it ("quit", closing the window).
#pragma once

#include <memory>
#include <string>

#include "formats/Replay.h"
#include "session/CommandLine.h"
#include "session/FrontEnd.h"
#include "session/ReplayDirectory.h"
#include "session/SessionFrame.h"

class CPlayback {
public:
    CPlayback(const HostOptions& options, CFrontEnd& frontEnd, CHostEngine& engine, CSessionFrame& frame,
              std::unique_ptr<const Replay> replay);

    // Enters the replay's directory and hands the game's clock the recorded readings.
    bool Start(std::string& error);
    // Plays the whole replay.
    void Run();
    // Leaves the replay's directory.
    void Finish() { directory.Leave(); }

private:
    // The viewer's controls before a frame; false when the viewer ended the replay.
    bool FollowViewer(bool focusLost);

    const HostOptions& options;
    CFrontEnd& frontEnd;
    CHostEngine& engine;
    CSessionFrame& frame;
    const std::unique_ptr<const Replay> replay;
    CReplayDirectory directory;
    FrameInput viewer;
    bool viewerPaused = false;
    bool pauseHeld = false;
};
