// A session from start-up to its end.
#include "session/Session.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "session/RulesFingerprint.h"
#include "system/GameClock.h"
#include "system/HostFiles.h"

namespace {

// The plug-ins' objects of ended sessions. The game state cannot be ended from outside the game
// module (it holds lists; the host only frees the memory of entities with trivial destructors),
// the input object belongs to its plug-in, and both plug-ins stay loaded while their objects
// live: so a session's plug-ins, services and engine are kept, reachable, until the process
// ends. Never destroyed, as the process's end must not unload the plug-ins under them.
std::vector<std::unique_ptr<CHostSession>>& RetiredSessions()
{
    static auto* const retired = new std::vector<std::unique_ptr<CHostSession>>();
    return *retired;
}

HostOptions Absolute(HostOptions options)
{
    // Files are named relative to where vantor was started, not to the work directory.
    for (ScreenshotRequest& request : options.screenshots) {
        request.file = std::filesystem::absolute(request.file);
    }
    for (std::filesystem::path* file : {&options.trace, &options.record, &options.replay}) {
        if (!file->empty()) {
            *file = std::filesystem::absolute(*file);
        }
    }
    return options;
}

}  // namespace

CSession::CSession(const HostOptions& givenOptions, CFrontEnd& givenFrontEnd,
                   std::filesystem::path givenExecutableDirectory)
    : options(Absolute(givenOptions)), replayAsGiven(givenOptions.replay), frontEnd(givenFrontEnd),
      executableDirectory(std::move(givenExecutableDirectory)), outputs(options)
{
}

CSession::~CSession()
{
    if (frontEndOpen) {
        frontEnd.Close(*host);
    }
    playback.reset();   // leaves the replay's directory
    GameClock::Reset();
    if (host != nullptr) {
        host->Engine().SetFatalHandler(nullptr);
        RetiredSessions().push_back(std::move(host));
    }
}

bool CSession::Open(std::string& error)
{
    if (!frontEnd.Prepare(error)) {
        return false;
    }
    if (!options.replay.empty() && !OpenReplay(error)) {
        return false;
    }
    if (executableDirectory.empty()) {
        error = "cannot find the directory of the vantor executable";
        return false;
    }
    GameClock::Reset();
    host = std::make_unique<CHostSession>(executableDirectory);
    if (!host->LoadPlugins(error) || !host->CheckData(error)) {
        return false;
    }
    if (!GameClock::Attach(host->GameLibrary(), error)) {
        error = "cannot record or replay the game's clock: " + error;
        return false;
    }
    rulesFingerprint = RulesFingerprintOfGame(host->GameModuleFile());
    if (replay != nullptr) {
        const ReplayHeader& header = replay->Header();
        replayComparedWith = header.formatVersion == 1 ? ModuleFileFingerprint(host->GameModuleFile()) : rulesFingerprint;
        if (header.fingerprint != replayComparedWith && !options.verify) {
            ReportProblem("warning: the replay was made with different game rules (its fingerprint " +
                          FingerprintText(header.fingerprint) + ", this game's " +
                          FingerprintText(replayComparedWith) + "; made by vantor " +
                          PrintableText(header.hostVersion) + "); it may play differently");
        }
    }
    frontEndOpen = true;
    return frontEnd.Open(*host, error);
}

bool CSession::OpenReplay(std::string& error)
{
    std::vector<std::uint8_t> bytes;
    auto read = std::make_unique<CReplayReader>();
    if (!ReadWholeFile(options.replay, kLongestReplay, bytes, error) || !read->Open(std::move(bytes), error)) {
        error = "cannot play the replay " + replayAsGiven.string() + ": " + error;
        return false;
    }
    replay = std::move(read);
    return true;
}

VerifyFacts CSession::Verified(const std::string& refusal, const PlaybackOutcome& outcome) const
{
    VerifyFacts facts;
    facts.refusal = refusal;
    facts.outcome = outcome;
    const CReplayReader* read = playback ? &playback->Replay() : replay.get();
    if (read != nullptr) {
        facts.formatVersion = read->Header().formatVersion;
        facts.hostVersion = read->Header().hostVersion;
        facts.fingerprint = read->Header().fingerprint;
        facts.gameFingerprint = replayComparedWith;
        facts.frames = read->FrameCount();
        facts.gameSeconds = read->GameTime();
        facts.games = read->ClockReadingCount();
    }
    return facts;
}

void CSession::ReportVerified(const VerifyFacts& facts) const
{
    const std::string report = options.json ? VerifyJson(facts) : VerifyLine(facts);
    std::printf("%s\n", report.c_str());
    std::fflush(stdout);
}

bool CSession::Start()
{
    std::string error;
    if (!Open(error)) {
        if (options.verify) {
            ReportVerified(Verified(error, {}));
        } else {
            ReportProblem(error);
        }
        return false;
    }
    frame.emplace(frontEnd, *host, outputs);
    frame->LoadPausePicture();
    if (replay != nullptr) {
        playback.emplace(options, frontEnd, host->Engine(), *frame, std::move(replay));
        if (!playback->Start(error)) {
            ReportProblem(error);
            return false;
        }
    } else {
        live.emplace(options, frontEnd, host->Engine(), *frame, outputs);
        if (resumed != nullptr) {
            live->ResumeFrom(std::move(resumed));
        }
        if (!live->Start(rulesFingerprint, error)) {
            ReportProblem(error);
            return false;
        }
    }
    frontEnd.StartDevices(*host);
    if (playback) {
        // The recorded game's fullscreen switches reach its trace, never the viewer's window.
        playback->KeepDisplayMode(host->Graphics().FullscreenHandler());
        host->Graphics().SetFullscreenHandler({});
    }
    if (!host->StartInput(error) || !host->StartGame(error)) {
        ReportProblem(error);
        return false;
    }
    // Opened once the game runs, so that a failed start leaves older files alone.
    return outputs.Open(live.has_value());
}

bool CSession::Step()
{
    return playback ? playback->Step() : live->Step();
}

int CSession::Finish()
{
    const bool written = outputs.Finish(host->Engine().FrameNumber() - 1, live ? &live->Recording() : nullptr);
    bool valid = true;
    if (playback) {
        const PlaybackOutcome outcome = playback->Finish();
        if (options.verify) {
            const VerifyFacts facts = Verified({}, outcome);
            ReportVerified(facts);
            valid = Valid(facts);
        }
    }
    GameClock::Reset();
    frontEnd.Close(*host);
    frontEndOpen = false;
    return written && valid ? EXIT_SUCCESS : EXIT_FAILURE;
}
