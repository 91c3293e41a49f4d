// A session from start-up to its end.
#include "session/Session.h"

#include <cstdlib>
#include <vector>

#include "system/GameClock.h"
#include "system/HostFiles.h"

namespace {

// Replays larger than this are refused rather than read: an hour of play is about 6 MB.
constexpr std::size_t kLargestReplay = std::size_t{1} << 30;

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

// The file's fingerprint, or 0 when it cannot be read.
std::uint64_t FingerprintOf(const std::filesystem::path& file)
{
    std::vector<std::uint8_t> bytes;
    std::string ignored;
    return ReadWholeFile(file, kLargestReplay, bytes, ignored) ? Fnv1a64(bytes.data(), bytes.size()) : 0;
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
    if (!options.replay.empty()) {
        std::vector<std::uint8_t> bytes;
        auto read = std::make_unique<Replay>();
        if (!ReadWholeFile(options.replay, kLargestReplay, bytes, error) || !DecodeReplay(bytes, *read, error)) {
            error = "cannot play the replay " + replayAsGiven.string() + ": " + error;
            return false;
        }
        replay = std::move(read);
    }
    if (executableDirectory.empty()) {
        error = "cannot find the directory of the vantor executable";
        return false;
    }
    GameClock::Reset();
    host = std::make_unique<CHostSession>(executableDirectory);
    if (!host->LoadPlugins(error)) {
        return false;
    }
    if (!GameClock::Attach(host->GameLibrary(), error)) {
        error = "cannot record or replay the game's clock: " + error;
        return false;
    }
    moduleFingerprint = FingerprintOf(host->GameModuleFile());
    if (replay != nullptr && replay->header.moduleFingerprint != moduleFingerprint) {
        ReportProblem("warning: the replay was made with a different game module (vantor " +
                      replay->header.hostVersion + "); it may play differently");
    }
    frontEndOpen = true;
    return frontEnd.Open(*host, error);
}

bool CSession::Start()
{
    std::string error;
    if (!Open(error)) {
        ReportProblem(error);
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
        if (!live->Start(moduleFingerprint, error)) {
            ReportProblem(error);
            return false;
        }
    }
    frontEnd.StartDevices(*host);
    if (!host->StartInput(error) || !host->StartGame(error)) {
        ReportProblem(error);
        return false;
    }
    // Opened once the game runs, so that a failed start leaves older files alone.
    return outputs.Open(live.has_value());
}

bool CSession::Step()
{
    if (playback) {
        playback->Run();
        return false;
    }
    return live->Step();
}

int CSession::Finish()
{
    const bool written = outputs.Finish(host->Engine().FrameNumber() - 1, live ? &live->Recording() : nullptr);
    if (playback) {
        playback->Finish();
    }
    GameClock::Reset();
    frontEnd.Close(*host);
    frontEndOpen = false;
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
}
