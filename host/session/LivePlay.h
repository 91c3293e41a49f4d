// Live play: the work directory entered (where the game keeps its high score), every frame
// recorded (for the --record file and the best game), frames until the game quits, the window
// closes or the asked number have run.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "formats/ReplayReader.h"
#include "session/BestGame.h"
#include "session/CommandLine.h"
#include "session/FrontEnd.h"
#include "session/HowToPlay.h"
#include "session/SessionFrame.h"
#include "session/SessionOutputs.h"

class CLivePlay {
public:
    CLivePlay(const HostOptions& options, CFrontEnd& frontEnd, CHostEngine& engine, CSessionFrame& frame,
              CSessionOutputs& outputs);

    // Before Start: the game first plays an earlier recording's frames again, as recorded and with
    // its clock readings, and the recording goes on from it (a save state loaded in a front end).
    void ResumeFrom(std::unique_ptr<CReplayReader> earlier);
    // Before the game starts: the work directory, and the recording with the game's clock
    // readings; false with why.
    bool Start(std::uint64_t rulesFingerprint, std::string& error);
    // One frame; false once the session is over (the best game then looked at a last time).
    bool Step();
    const CReplayEncoder& Recording() const { return *recording; }

private:
    bool PlayFrame();
    // One frame of the earlier recording, played and recorded again.
    bool ReplayEarlierFrame();
    void RecordClock();
    // Loads the how-to-play card where a player may see it, and opens it on a first start.
    void PrepareHowToPlay();

    const HostOptions& options;
    CFrontEnd& frontEnd;
    CHostEngine& engine;
    CSessionFrame& frame;
    CSessionOutputs& outputs;
    std::unique_ptr<CReplayEncoder> recording;
    std::unique_ptr<CReplayReader> earlier;   // while its frames are played again
    std::int64_t earlierPlayed = 0;
    ReplayFrame recorded;                     // the earlier frame being played again
    std::optional<CBestGame> bestGame;
    FrameInput input;
    bool firstFrame = true;
    float nextDt = 0.0f;
    bool recordingFull = false;   // said once
    CHowToPlay howToPlay;
    bool howToPlayReady = false;  // loaded, on a front end that shows it
};
