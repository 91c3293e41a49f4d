// Live play.
#include "session/LivePlay.h"

#include "system/GameClock.h"
#include "system/HostPaths.h"

#ifndef VANTOR_VERSION
#define VANTOR_VERSION "unknown"
#endif

namespace {

// Enters --workdir (which must work), or the front end's default (which may not).
bool EnterWorkDirectoryFor(const HostOptions& options, CFrontEnd& frontEnd, std::string& error)
{
    if (!options.workDirectory.empty()) {
        if (!EnterWorkDirectory(options.workDirectory, error)) {
            error = "cannot use " + options.workDirectory.string() + " as work directory: " + error;
            return false;
        }
        return true;
    }
    const std::filesystem::path fallback = frontEnd.DefaultWorkDirectory();
    if (fallback.empty()) {
        return true;
    }
    std::string reason;
    if (!EnterWorkDirectory(fallback, reason, NewDirectory::Private)) {
        ReportProblem("warning: cannot use " + fallback.string() + " (" + reason +
                      "); the high score is kept in the current directory");
    }
    return true;
}

}  // namespace

CLivePlay::CLivePlay(const HostOptions& givenOptions, CFrontEnd& givenFrontEnd, CHostEngine& givenEngine,
                     CSessionFrame& givenFrame, CSessionOutputs& givenOutputs)
    : options(givenOptions), frontEnd(givenFrontEnd), engine(givenEngine), frame(givenFrame), outputs(givenOutputs)
{
}

void CLivePlay::ResumeFrom(std::unique_ptr<CReplayReader> givenEarlier)
{
    earlier = std::move(givenEarlier);
}

bool CLivePlay::Start(std::uint64_t rulesFingerprint, std::string& error)
{
    if (!EnterWorkDirectoryFor(options, frontEnd, error)) {
        return false;
    }
    WarnAboutWorkDirectory();
    const HighScoreSnapshot highScore = ReadHighScoreSnapshot();
    WarnIfHighScoreForeign(highScore);
    bestGame.emplace(highScore.value);
    PrepareHowToPlay();
    if (earlier != nullptr) {
        // The earlier game is played on in the player's own directory: whatever it saves again
        // is at least the high score found there now, so nothing better is overwritten.
        recording = std::make_unique<CReplayEncoder>(earlier->Header());
        for (const std::int64_t reading : earlier->StartReadings()) {
            recording->AddClockReading(reading);
        }
        GameClock::Replay();
        GameClock::QueueReadings(earlier->StartReadings());
        return true;
    }
    ReplayHeader header;
    header.hostVersion = VANTOR_VERSION;
    header.fingerprint = rulesFingerprint;
    header.highScoreExists = highScore.exists;
    header.highScoreBytes = highScore.bytes;
    recording = std::make_unique<CReplayEncoder>(header);
    RecordClock();
    return true;
}

void CLivePlay::PrepareHowToPlay()
{
    if (!frontEnd.ShowsHowToPlay() || !frame.LoadHowToPlay()) {
        return;
    }
    howToPlayReady = true;
    // A bounded, scripted or traced run is a test, not a player who has yet to learn the game.
    const bool player = earlier == nullptr && options.frames < 0 && options.input.empty() &&
                        options.trace.empty() && options.screenshots.empty();
    if (player && !CHowToPlay::Seen()) {
        howToPlay.Open(false);
    }
}

void CLivePlay::RecordClock()
{
    CReplayEncoder* encoder = recording.get();
    GameClock::Record([encoder](std::int64_t reading) { encoder->AddClockReading(reading); });
}

bool CLivePlay::ReplayEarlierFrame()
{
    if (!earlier->Next(recorded)) {
        return false;
    }
    ++earlierPlayed;
    if (recorded.hostPaused) {
        engine.SetPaused(true);
    }
    GameClock::QueueReadings(recorded.clockReadings);
    recording->AddFrame(recorded.dt, recorded.hostPaused, recorded.input);
    frame.Run(recorded.dt, recorded.input);
    for (const std::int64_t reading : recorded.clockReadings) {
        recording->AddClockReading(reading);
    }
    outputs.KeepRecording(*recording);
    bestGame->AfterFrame(engine.FrameNumber(), *recording);
    return !engine.QuitRequested();
}

bool CLivePlay::Step()
{
    if (PlayFrame()) {
        return true;
    }
    bestGame->Check(*recording);
    return false;
}

bool CLivePlay::PlayFrame()
{
    if (options.frames >= 0 && engine.FrameNumber() >= options.frames) {
        return false;
    }
    if (earlier != nullptr) {
        if (earlierPlayed < earlier->FrameCount()) {
            return ReplayEarlierFrame();
        }
        earlier.reset();
        RecordClock();
    }
    const float dt = firstFrame ? frontEnd.NextFrameTime() : nextDt;
    firstFrame = false;
    const FrontEndEvents events = frontEnd.BeginFrame(engine.FrameNumber());
    if (events.closed) {
        return false;
    }
    engine.CaptureInput(input);
    CardEvents cardEvents;
    cardEvents.keyPressed = events.keyPressed;
    cardEvents.asked = events.howToPlay && howToPlayReady;
    cardEvents.focusLost = events.focusLost;
    cardEvents.gamePaused = engine.Paused();
    const CardFrame card = howToPlay.Frame(cardEvents, input);
    frame.ShowHowToPlay(card != CardFrame::Free);
    const bool held = events.focusLost || card == CardFrame::Held;
    if (held) {
        engine.SetPaused(true);
    }
    recording->AddFrame(dt, held, input);
    if (recording->Full() && !recordingFull) {
        recordingFull = true;
        ReportProblem("warning: this session has filled the longest recording vantor keeps (" +
                      std::to_string(kLongestReplay >> 20) + " MiB); the rest of it is not recorded");
    }
    frame.Run(dt, input);
    outputs.KeepRecording(*recording);
    bestGame->AfterFrame(engine.FrameNumber(), *recording);
    if (engine.QuitRequested()) {
        return false;
    }
    nextDt = frontEnd.NextFrameTime();
    return true;
}
