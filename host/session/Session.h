// One session of the game, the same for every front end: start-up (plug-ins, work directory or
// the replay's, input, game state, outputs), the frames of live play or of a replay, and the end
// with the outputs written out. A process may run one session after another.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "session/CommandLine.h"
#include "session/FrontEnd.h"
#include "session/HostSession.h"
#include "session/LivePlay.h"
#include "session/Playback.h"
#include "session/SessionFrame.h"
#include "session/SessionOutputs.h"
#include "session/VerifyReport.h"

class CSession {
public:
    // Paths in options are taken relative to the current directory now; the plug-ins and data
    // are found from executableDirectory.
    CSession(const HostOptions& options, CFrontEnd& frontEnd, std::filesystem::path executableDirectory);
    ~CSession();
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;

    // Before Start: live play first plays this earlier recording again (CLivePlay::ResumeFrom).
    void ResumeFrom(std::unique_ptr<CReplayReader> earlier) { resumed = std::move(earlier); }
    // Everything before the first frame; false (the reason reported, the front end closed) when
    // the game cannot start.
    bool Start();
    // Plays on; false once the session is over. A replay plays whole in one call.
    bool Step();
    // After the last frame: the outputs written out and closed, the front end closed; the
    // process's exit status (a failure when an output failed).
    int Finish();
    // Live play's recording so far; null for a replay or before Start.
    const CReplayEncoder* Recording() const { return live ? &live->Recording() : nullptr; }

private:
    bool Open(std::string& error);
    bool OpenReplay(std::string& error);
    // What --verify reports of a replay that played (outcome) or could not (refusal).
    VerifyFacts Verified(const std::string& refusal, const PlaybackOutcome& outcome) const;
    void ReportVerified(const VerifyFacts& facts) const;

    HostOptions options;
    std::filesystem::path replayAsGiven;   // as the messages name it
    CFrontEnd& frontEnd;
    std::filesystem::path executableDirectory;
    // Retired, not destroyed, at the end (see Session.cpp).
    std::unique_ptr<CHostSession> host;
    bool frontEndOpen = false;
    std::unique_ptr<CReplayReader> replay;
    std::uint64_t rulesFingerprint = 0;
    // What the replay's fingerprint is compared with (format 1 fingerprinted the module's file).
    std::uint64_t replayComparedWith = 0;
    std::unique_ptr<CReplayReader> resumed;
    CSessionOutputs outputs;
    std::optional<CSessionFrame> frame;
    std::optional<CLivePlay> live;
    std::optional<CPlayback> playback;
};
