// The session loop shared by the front ends.
#include "SessionLoop.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "HostEngine.h"
#include "HostPaths.h"
#include "HostSession.h"
#include "SoftwareRenderer.h"
#include "TraceWriter.h"

namespace {

constexpr const char* kPausePicture = "images/Paused.bmp";

int Fail(const std::string& message)
{
    ReportProblem(message);
    return EXIT_FAILURE;
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

class CSessionLoop {
public:
    CSessionLoop(const HostOptions& givenOptions, CFrontEnd& givenFrontEnd, CHostSession& givenSession)
        : options(givenOptions), frontEnd(givenFrontEnd), session(givenSession),
          engine(givenSession.Engine())
    {
    }

    int Run()
    {
        std::string error;
        const bool havePausePicture = CGraphicsService::LoadBitmapFile(
            session.DataDirectory() / kPausePicture, false, pausePicture, error);
        if (!havePausePicture) {
            ReportProblem("warning: cannot load " + std::string(kPausePicture) + " (" + error +
                          "); the pause screen shows without its title");
        }
        pauseOverlay = havePausePicture ? &pausePicture : nullptr;

        if (!EnterWorkDirectoryFor(options, frontEnd, error)) {
            return Fail(error);
        }
        WarnIfWorkDirectoryReadOnly();
        frontEnd.StartDevices(session);
        if (!session.StartInput(error) || !session.StartGame(error)) {
            return Fail(error);
        }
        // Opened once the game runs, so that a failed start leaves an older trace alone.
        if (!options.trace.empty()) {
            trace.open(options.trace, std::ios::binary | std::ios::trunc);
            if (!trace) {
                return Fail("cannot write the trace file " + options.trace.string() + ": " +
                            SystemReason(errno));
            }
        }
        Loop();
        return Finish();
    }

private:
    bool ScreenshotWanted(std::int64_t frame) const
    {
        return std::any_of(options.screenshots.begin(), options.screenshots.end(),
                           [frame](const ScreenshotRequest& request) { return request.frame == frame; });
    }

    void Loop()
    {
        FrameInput input;
        float dt = frontEnd.NextFrameTime();
        while (options.frames < 0 || engine.FrameNumber() < options.frames) {
            const std::int64_t frame = engine.FrameNumber();
            if (!frontEnd.BeginFrame(frame, engine)) {
                break;
            }
            const bool shotWanted = ScreenshotWanted(frame);
            const bool draw = shotWanted || frontEnd.DrawsEveryFrame();
            engine.CaptureInput(input);
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
            if (trace.is_open()) {
                WriteTrace(frame, dt);
            }
            if (engine.QuitRequested()) {
                break;
            }
            dt = frontEnd.NextFrameTime();
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
        trace << FormatTraceLine(line) << std::endl;   // kept whole if the game crashes
    }

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
        if (trace.is_open()) {
            trace.flush();
            if (!trace) {
                ReportProblem("cannot write the trace file " + options.trace.string());
                outputFailed = true;
            }
        }
        return outputFailed ? EXIT_FAILURE : EXIT_SUCCESS;
    }

    const HostOptions& options;
    CFrontEnd& frontEnd;
    CHostSession& session;
    CHostEngine& engine;
    CSoftwareRenderer renderer;
    Bitmap pausePicture;
    const Bitmap* pauseOverlay = nullptr;
    std::ofstream trace;
    bool outputFailed = false;
};

}  // namespace

int RunSession(const HostOptions& givenOptions, CFrontEnd& frontEnd)
{
    // Output files are named relative to where vantor was started, not to the work directory.
    HostOptions options = givenOptions;
    for (ScreenshotRequest& request : options.screenshots) {
        request.file = std::filesystem::absolute(request.file);
    }
    if (!options.trace.empty()) {
        options.trace = std::filesystem::absolute(options.trace);
    }
    std::string error;
    if (!frontEnd.Prepare(error)) {
        return Fail(error);
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
    if (!frontEnd.Open(*session, error)) {
        frontEnd.Close(*session);
        return Fail(error);
    }
    const int status = CSessionLoop(options, frontEnd, *session).Run();
    frontEnd.Close(*session);
    return status;
}
