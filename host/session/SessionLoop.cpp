// The session loop shared by the front ends, with recording and replay.
#include "session/SessionLoop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <system_error>
#include <thread>

#include "system/GameClock.h"
#include "engine/HostEngine.h"
#include "system/HostPaths.h"
#include "session/HostSession.h"
#include "formats/Replay.h"
#include "engine/SoftwareRenderer.h"
#include "session/TraceWriter.h"

#ifndef VANTOR_VERSION
#define VANTOR_VERSION "unknown"
#endif

namespace {

constexpr const char* kPausePicture = "images/Paused.bmp";
constexpr const char* kHighScoreFile = "highscore";
constexpr const char* kBestReplayFile = "best.replay";
constexpr const char* kQuit = "quit";
constexpr const char* kPauseToggle = "pause-toggle";
// The high-score file is looked at this often (in frames) for a new best game, and at the end.
constexpr std::int64_t kHighScoreCheckInterval = 30;
// Replays larger than this are refused rather than read: an hour of play is about 6 MB.
constexpr std::uintmax_t kLargestReplay = 1ull << 30;
constexpr std::size_t kOutputBuffer = 1 << 20;

int Fail(const std::string& message)
{
    ReportProblem(message);
    return EXIT_FAILURE;
}

bool ReadWholeFile(const std::filesystem::path& file, std::uintmax_t limit,
                   std::vector<std::uint8_t>& bytes, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(file, code)) {
        error = code ? code.message() : std::string("not a regular file");
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, code);
    if (code || size > limit) {
        error = code ? code.message() : std::string("too large");
        return false;
    }
    std::ifstream stream(file, std::ios::binary);
    bytes.resize(static_cast<std::size_t>(size));
    stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (!stream) {
        error = "cannot be read";
        return false;
    }
    return true;
}

// The file's fingerprint, or 0 when it cannot be read.
std::uint64_t FingerprintOf(const std::filesystem::path& file)
{
    std::vector<std::uint8_t> bytes;
    std::string ignored;
    return ReadWholeFile(file, kLargestReplay, bytes, ignored) ? Fnv1a64(bytes.data(), bytes.size()) : 0;
}

// The high-score file as the game will find it: only a regular file counts.
struct HighScoreState {
    bool exists = false;
    std::vector<std::uint8_t> bytes;   // the first few
    std::int32_t value = 0;
};

HighScoreState ReadHighScore()
{
    HighScoreState state;
    std::error_code code;
    if (!std::filesystem::is_regular_file(kHighScoreFile, code)) {
        return state;
    }
    std::ifstream stream(kHighScoreFile, std::ios::binary);
    char bytes[kReplayHighScoreBytes];
    stream.read(bytes, sizeof bytes);
    const auto count = static_cast<std::size_t>(stream.gcount());
    state.exists = true;
    state.bytes.assign(bytes, bytes + count);
    if (count >= 4) {
        state.value = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(state.bytes[0]) | static_cast<std::uint32_t>(state.bytes[1]) << 8 |
            static_cast<std::uint32_t>(state.bytes[2]) << 16 | static_cast<std::uint32_t>(state.bytes[3]) << 24);
    }
    return state;
}

// Writes the bytes to file whole, through a temporary file and a rename, so that an older file
// stays intact when writing fails.
bool WriteFileWhole(const std::filesystem::path& file, const std::vector<std::uint8_t>& head,
                    const std::vector<std::uint8_t>& tail, std::string& error)
{
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
        stream.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
        stream.write(reinterpret_cast<const char*>(tail.data()), static_cast<std::streamsize>(tail.size()));
        stream.close();
        if (!stream) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code code;
    std::filesystem::rename(temporary, file, code);
    if (code) {
        std::filesystem::remove(temporary, code);
        error = "cannot replace " + file.string() + ": " + code.message();
        return false;
    }
    return true;
}

// Writes the picture whole, or reports why not; nothing is written for a picture not taken.
bool WriteScreenshot(const std::filesystem::path& file, const Bitmap& shot)
{
    if (shot.width <= 0 || shot.height <= 0) {
        ReportProblem("cannot write the screenshot " + file.string() + ": the picture could not be read");
        return false;
    }
    const std::vector<uint8_t> bytes = EncodeBmp24(shot);
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    if (!stream) {
        ReportProblem("cannot write the screenshot " + file.string() + ": " + SystemReason(errno));
        return false;
    }
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    if (!stream) {
        ReportProblem("cannot write the screenshot " + file.string());
        return false;
    }
    return true;
}

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
    if (!EnterWorkDirectory(fallback, reason)) {
        ReportProblem("warning: cannot use " + fallback.string() + " (" + reason +
                      "); the high score is kept in the current directory");
    }
    return true;
}

// A replay plays in a directory of its own holding the high-score file as the recorded game
// found it, so that it reads what the recorded game read and leaves the player's file alone.
class CReplayDirectory {
public:
    ~CReplayDirectory() { Leave(); }

    // Goes back where the replay started and removes its directory.
    void Leave()
    {
        if (!directory.empty()) {
            std::error_code code;
            std::filesystem::current_path(previous, code);
            std::filesystem::remove_all(directory, code);
            directory.clear();
        }
    }

    bool Enter(const ReplayHeader& header, std::string& error)
    {
        std::error_code code;
        previous = std::filesystem::current_path(code);
        const std::filesystem::path base = std::filesystem::temp_directory_path(code);
        if (code) {
            error = "no temporary directory to play the replay in: " + code.message();
            return false;
        }
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0; attempt < 100 && directory.empty(); ++attempt) {
            const std::filesystem::path candidate =
                base / ("vantor-replay-" + std::to_string(stamp) + "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(candidate, code)) {
                directory = candidate;
            }
        }
        if (directory.empty()) {
            error = "cannot make a temporary directory to play the replay in";
            return false;
        }
        if (header.highScoreExists) {
            std::ofstream file(directory / kHighScoreFile, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(header.highScoreBytes.data()),
                       static_cast<std::streamsize>(header.highScoreBytes.size()));
            if (!file) {
                error = "cannot prepare the replay's high-score file";
                return false;
            }
        }
        std::filesystem::current_path(directory, code);
        if (code) {
            error = "cannot enter the replay's directory: " + code.message();
            return false;
        }
        return true;
    }

private:
    std::filesystem::path previous;
    std::filesystem::path directory;
};

class CSessionLoop {
public:
    CSessionLoop(const HostOptions& givenOptions, CFrontEnd& givenFrontEnd, CHostSession& givenSession,
                 std::unique_ptr<const Replay> givenReplay, std::uint64_t fingerprint)
        : options(givenOptions), frontEnd(givenFrontEnd), session(givenSession),
          engine(givenSession.Engine()), replay(std::move(givenReplay)), moduleFingerprint(fingerprint)
    {
    }

    ~CSessionLoop()
    {
        if (trace != nullptr) {
            std::fclose(trace);
        }
        if (recordFile != nullptr) {
            std::fclose(recordFile);
        }
    }

    // Everything before the first frame; false (with the reason reported) when the game cannot
    // start.
    bool Start()
    {
        std::string error;
        const bool havePausePicture = CGraphicsService::LoadBitmapFile(
            session.DataDirectory() / kPausePicture, false, pausePicture, error);
        if (!havePausePicture) {
            ReportProblem("warning: cannot load " + std::string(kPausePicture) + " (" + error +
                          "); the pause screen shows without its title");
        }
        pauseOverlay = havePausePicture ? &pausePicture : nullptr;

        if (replay != nullptr) {
            if (!replayDirectory.Enter(replay->header, error)) {
                return Failed(error);
            }
            GameClock::Replay();
            GameClock::QueueReadings(replay->startReadings);
        } else {
            if (!EnterWorkDirectoryFor(options, frontEnd, error)) {
                return Failed(error);
            }
            WarnIfWorkDirectoryReadOnly();
            StartRecording();
        }
        frontEnd.StartDevices(session);
        if (!session.StartInput(error) || !session.StartGame(error)) {
            return Failed(error);
        }
        // Opened once the game runs, so that a failed start leaves older files alone.
        return OpenOutput(options.trace, "trace", trace) &&
               (replay != nullptr || OpenOutput(options.record, "recording", recordFile));
    }

    // Plays on; false once the session is over. A replay plays whole in one call.
    bool Step()
    {
        if (replay != nullptr) {
            PlayBack();
            return false;
        }
        if (PlayFrame()) {
            return true;
        }
        KeepBestGame();
        return false;
    }

    // After the last frame: the outputs written out and closed; the process's exit status.
    int Finish()
    {
        const std::int64_t lastFrame = engine.FrameNumber() - 1;
        for (const ScreenshotRequest& request : options.screenshots) {
            if (request.frame > lastFrame) {
                ReportProblem("no screenshot " + request.file.string() + ": the run ended at frame " +
                              std::to_string(lastFrame) + ", before frame " +
                              std::to_string(request.frame));
                outputFailed = true;
            }
        }
        if (recordFile != nullptr) {
            KeepRecording();
            const std::vector<std::uint8_t> end = recording->End();
            std::fwrite(end.data(), 1, end.size(), recordFile);
        }
        outputFailed |= !CloseOutput(trace, options.trace, "trace");
        outputFailed |= !CloseOutput(recordFile, options.record, "recording");
        replayDirectory.Leave();
        return outputFailed ? EXIT_FAILURE : EXIT_SUCCESS;
    }

private:
    bool OpenOutput(const std::filesystem::path& file, const char* what, std::FILE*& stream)
    {
        if (file.empty()) {
            return true;
        }
        stream = OpenFile(file, "wb");
        if (stream == nullptr) {
            ReportProblem("cannot write the " + std::string(what) + " file " + file.string() + ": " +
                          SystemReason(errno));
            return false;
        }
        // Buffered: a frame costs no system call. exit() flushes it too.
        std::setvbuf(stream, nullptr, _IOFBF, kOutputBuffer);
        return true;
    }

    void StartRecording()
    {
        const HighScoreState highScore = ReadHighScore();
        bestSoFar = highScore.value;
        ReplayHeader header;
        header.hostVersion = VANTOR_VERSION;
        header.moduleFingerprint = moduleFingerprint;
        header.highScoreExists = highScore.exists;
        header.highScoreBytes = highScore.bytes;
        recording = std::make_unique<CReplayEncoder>(header);
        CReplayEncoder* encoder = recording.get();
        GameClock::Record([encoder](std::int64_t reading) { encoder->AddClockReading(reading); });
    }

    bool ScreenshotWanted(std::int64_t frame) const
    {
        return std::any_of(options.screenshots.begin(), options.screenshots.end(),
                           [frame](const ScreenshotRequest& request) { return request.frame == frame; });
    }

    bool FramesLeft() const { return options.frames < 0 || engine.FrameNumber() < options.frames; }

    // Runs, shows and writes out one frame of the game.
    void Frame(float dt, const FrameInput& input)
    {
        const std::int64_t frame = engine.FrameNumber();
        const bool shotWanted = ScreenshotWanted(frame);
        const bool draw = shotWanted || frontEnd.DrawsEveryFrame();
        engine.RunFrame(dt, input, [&]() {
            if (draw) {
                renderer.DrawScene(session.Graphics());
                if (engine.Paused()) {
                    renderer.DrawPauseOverlay(pauseOverlay);
                }
            }
        });
        Bitmap shot;
        frontEnd.Present(renderer.Canvas(), shotWanted ? &shot : nullptr);
        for (const ScreenshotRequest& request : options.screenshots) {
            if (request.frame == frame && !WriteScreenshot(request.file, shot)) {
                outputFailed = true;
            }
        }
        if (trace != nullptr) {
            WriteTrace(frame, dt);
        }
    }

    // One frame of live play; false when there is none to play.
    bool PlayFrame()
    {
        if (!FramesLeft()) {
            return false;
        }
        const float dt = firstFrame ? frontEnd.NextFrameTime() : nextDt;
        firstFrame = false;
        const FrontEndEvents events = frontEnd.BeginFrame(engine.FrameNumber());
        if (events.closed) {
            return false;
        }
        if (events.focusLost) {
            engine.SetPaused(true);
        }
        engine.CaptureInput(liveInput);
        recording->AddFrame(dt, events.focusLost, liveInput);
        Frame(dt, liveInput);
        KeepRecording();
        if (engine.FrameNumber() % kHighScoreCheckInterval == 0) {
            KeepBestGame();
        }
        if (engine.QuitRequested()) {
            return false;
        }
        nextDt = frontEnd.NextFrameTime();
        return true;
    }

    // The recorded frames, at their own pace in a window; the viewer can pause or end it.
    void PlayBack()
    {
        using Clock = std::chrono::steady_clock;
        FrameInput viewer;
        bool viewerPaused = false;
        bool pauseHeld = false;
        Clock::time_point due = Clock::now();
        std::size_t next = 0;
        frontEnd.NextFrameTime();
        while (FramesLeft() && next < replay->frames.size()) {
            const FrontEndEvents events = frontEnd.BeginFrame(engine.FrameNumber());
            if (events.closed) {
                break;
            }
            if (frontEnd.DrawsEveryFrame()) {
                engine.CaptureInput(viewer);
                const auto has = [&viewer](const char* name) {
                    return std::any_of(viewer.actions.begin(), viewer.actions.end(),
                                       [name](const ActionRecord& action) { return std::string_view(action.name) == name; });
                };
                if (has(kQuit)) {
                    break;
                }
                const bool pauseNow = has(kPauseToggle);
                viewerPaused = (viewerPaused != (pauseNow && !pauseHeld)) || events.focusLost;
                pauseHeld = pauseNow;
                if (viewerPaused) {
                    renderer.DrawScene(session.Graphics());
                    renderer.DrawPauseOverlay(pauseOverlay);
                    frontEnd.Present(renderer.Canvas(), nullptr);
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
            Frame(recorded.dt, recorded.input);
            if (engine.QuitRequested()) {
                break;
            }
            frontEnd.NextFrameTime();
            if (frontEnd.DrawsEveryFrame()) {
                // At the recorded pace; after a long stall, go on from now rather than race.
                due += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<float>(recorded.dt));
                const Clock::time_point now = Clock::now();
                if (due > now) {
                    std::this_thread::sleep_until(due);
                } else if (now - due > std::chrono::milliseconds(250)) {
                    due = now;
                }
            }
        }
        if (GameClock::RanOut()) {
            ReportProblem("warning: the replay went its own way: the game read the clock more often "
                          "than in the recorded run");
        }
    }

    void WriteTrace(std::int64_t frame, float dt)
    {
        TraceFrame line;
        line.frame = frame;
        line.dt = dt;
        line.actions = &engine.FrameActions();
        line.sounds = &session.Sound().Played();
        line.graphics = &session.Graphics();
        line.quit = engine.QuitRequested();
        traceLine.clear();   // one buffer for every line: no allocation once it is big enough
        AppendTraceLine(traceLine, line);
        traceLine += '\n';
        std::fwrite(traceLine.data(), 1, traceLine.size(), trace);
        // A window's trace is read as the game runs (by whoever watches it react to keys); a
        // frame there lasts milliseconds, so a flush each frame costs nothing that shows.
        if (frontEnd.DrawsEveryFrame()) {
            std::fflush(trace);
        }
    }

    // Appends what the recording gained since the last frame to the --record file.
    void KeepRecording()
    {
        if (recordFile == nullptr) {
            return;
        }
        const std::vector<std::uint8_t>& bytes = recording->Bytes();
        std::fwrite(bytes.data() + recordWritten, 1, bytes.size() - recordWritten, recordFile);
        recordWritten = bytes.size();
    }

    // When the game has written a high score above the one its game started with, keeps the
    // recording so far as best.replay beside it.
    void KeepBestGame()
    {
        if (recording == nullptr) {
            return;
        }
        const HighScoreState highScore = ReadHighScore();
        if (!highScore.exists || highScore.value <= bestSoFar) {
            return;
        }
        bestSoFar = highScore.value;
        std::string error;
        if (!WriteFileWhole(kBestReplayFile, recording->Bytes(), recording->End(), error)) {
            ReportProblem("warning: the best game's replay was not kept: " + error);
        }
    }

    bool CloseOutput(std::FILE*& stream, const std::filesystem::path& file, const char* what)
    {
        if (stream == nullptr) {
            return true;
        }
        const bool written = std::ferror(stream) == 0 && std::fflush(stream) == 0;
        const bool closed = std::fclose(stream) == 0;
        stream = nullptr;
        if (!written || !closed) {
            ReportProblem("cannot write the " + std::string(what) + " file " + file.string());
            return false;
        }
        return true;
    }

    bool Failed(const std::string& error)
    {
        ReportProblem(error);
        return false;
    }

    const HostOptions options;
    CFrontEnd& frontEnd;
    CHostSession& session;
    CHostEngine& engine;
    const std::unique_ptr<const Replay> replay;
    std::uint64_t moduleFingerprint;
    CSoftwareRenderer renderer;
    Bitmap pausePicture;
    const Bitmap* pauseOverlay = nullptr;
    CReplayDirectory replayDirectory;
    std::unique_ptr<CReplayEncoder> recording;   // live play is always recorded, for best.replay
    std::size_t recordWritten = 0;
    std::int32_t bestSoFar = 0;
    std::FILE* trace = nullptr;
    std::string traceLine;
    std::FILE* recordFile = nullptr;
    bool outputFailed = false;
    FrameInput liveInput;
    bool firstFrame = true;
    float nextDt = 0.0f;
};

}  // namespace

int RunSession(const HostOptions& givenOptions, CFrontEnd& frontEnd)
{
    // Files are named relative to where vantor was started, not to the work directory.
    HostOptions options = givenOptions;
    for (ScreenshotRequest& request : options.screenshots) {
        request.file = std::filesystem::absolute(request.file);
    }
    for (std::filesystem::path* file : {&options.trace, &options.record, &options.replay}) {
        if (!file->empty()) {
            *file = std::filesystem::absolute(*file);
        }
    }
    std::string error;
    if (!frontEnd.Prepare(error)) {
        return Fail(error);
    }
    std::unique_ptr<Replay> replay;
    if (!options.replay.empty()) {
        std::vector<std::uint8_t> bytes;
        replay = std::make_unique<Replay>();
        if (!ReadWholeFile(options.replay, kLargestReplay, bytes, error) ||
            !DecodeReplay(bytes, *replay, error)) {
            return Fail("cannot play the replay " + givenOptions.replay.string() + ": " + error);
        }
    }
    const std::filesystem::path executableDirectory = ExecutableDirectory();
    if (executableDirectory.empty()) {
        return Fail("cannot find the directory of the vantor executable");
    }
    // Never destroyed, and kept reachable until the process ends: the game state cannot be ended
    // from outside the game module (it holds lists; the host only frees the memory of entities
    // with trivial destructors), the input object belongs to its plug-in, and both plug-ins stay
    // loaded while their objects live.
    static CHostSession* const session = new CHostSession(executableDirectory);
    if (!session->LoadPlugins(error)) {
        return Fail(error);
    }
    if (!GameClock::Attach(session->GameLibrary(), error)) {
        return Fail("cannot record or replay the game's clock: " + error);
    }
    const std::uint64_t fingerprint = FingerprintOf(session->GameModuleFile());
    if (replay != nullptr && replay->header.moduleFingerprint != fingerprint) {
        ReportProblem("warning: the replay was made with a different game module (vantor " +
                      replay->header.hostVersion + "); it may play differently");
    }
    if (!frontEnd.Open(*session, error)) {
        frontEnd.Close(*session);
        return Fail(error);
    }
    // Shared with the frames, which a browser page runs after this function has returned.
    auto loop = std::make_shared<CSessionLoop>(options, frontEnd, *session, std::move(replay), fingerprint);
    if (!loop->Start()) {
        loop.reset();
        frontEnd.Close(*session);
        return EXIT_FAILURE;
    }
    auto status = std::make_shared<int>(EXIT_SUCCESS);
    CFrontEnd* const shown = &frontEnd;
    frontEnd.RunFrames([loop] { return loop->Step(); },
                       [loop, status, shown] {
                           *status = loop->Finish();
                           shown->Close(*session);
                           return *status;
                       });
    return *status;
}
