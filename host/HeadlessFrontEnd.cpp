// Headless runs.
#include "HeadlessFrontEnd.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "BmpCodec.h"
#include "HostPaths.h"
#include "HostSession.h"
#include "InputScript.h"
#include "SoftwareRenderer.h"
#include "TraceWriter.h"
#include "VantorPlatform.h"

namespace {

constexpr const char* kPausePicture = "images/Paused.bmp";

bool ReadScript(const std::filesystem::path& file, std::vector<ScriptEvent>& events,
                std::string& error)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        error = "cannot open the input script " + file.string();
        return false;
    }
    std::ostringstream text;
    text << stream.rdbuf();
    const ScriptNames names{PlatformDikFromName, PlatformPadButtonFromName};
    if (!ParseInputScript(text.str(), names, events, error)) {
        error = file.string() + ", " + error;
        return false;
    }
    return true;
}

void Apply(const ScriptEvent& event)
{
    switch (event.action) {
    case ScriptAction::KeyDown:
    case ScriptAction::KeyUp:
        PlatformVirtualKey(static_cast<uint8_t>(event.code), event.action == ScriptAction::KeyDown);
        break;
    case ScriptAction::PadConnect:
    case ScriptAction::PadDisconnect:
        PlatformVirtualPadConnected(event.action == ScriptAction::PadConnect);
        break;
    case ScriptAction::PadButtonDown:
    case ScriptAction::PadButtonUp:
        PlatformVirtualPadButton(static_cast<uint16_t>(event.code),
                                 event.action == ScriptAction::PadButtonDown);
        break;
    case ScriptAction::PadStick:
        PlatformVirtualPadStick(event.stickX, event.stickY);
        break;
    }
}

bool WriteFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(stream);
}

int Fail(const std::string& message)
{
    ReportProblem(message);
    return EXIT_FAILURE;
}

}  // namespace

int RunHeadless(const HostOptions& options)
{
    std::vector<ScriptEvent> script;
    std::string error;
    if (!options.input.empty() && !ReadScript(options.input, script, error)) {
        return Fail(error);
    }
    const std::filesystem::path executableDirectory = ExecutableDirectory();
    if (executableDirectory.empty()) {
        return Fail("cannot find the directory of the vantor executable");
    }
    // Output files are named relative to where vantor was started, not to the work directory.
    std::vector<ScreenshotRequest> screenshots = options.screenshots;
    for (ScreenshotRequest& request : screenshots) {
        request.file = std::filesystem::absolute(request.file);
    }
    std::ofstream trace;
    if (!options.trace.empty()) {
        trace.open(std::filesystem::absolute(options.trace), std::ios::binary | std::ios::trunc);
        if (!trace) {
            return Fail("cannot write the trace file " + options.trace.string());
        }
    }

    static CHostSession* const session = new CHostSession(executableDirectory);
    if (!session->LoadPlugins(error)) {
        return Fail(error);
    }
    if (!options.workDirectory.empty() && !EnterWorkDirectory(options.workDirectory, error)) {
        return Fail("cannot use " + options.workDirectory.string() + " as work directory: " + error);
    }
    WarnIfWorkDirectoryReadOnly();
    PlatformSetBackend(PlatformBackend::Virtual);
    PlatformVirtualReset();
    if (!session->StartInput(error) || !session->StartGame(error)) {
        return Fail(error);
    }

    Bitmap pausePicture;
    const bool havePausePicture = CGraphicsService::LoadBitmapFile(
        session->DataDirectory() / kPausePicture, false, pausePicture, error);

    CHostEngine& engine = session->Engine();
    CSoftwareRenderer renderer;
    bool outputFailed = false;
    std::size_t nextEvent = 0;
    for (long frame = 0; options.frames < 0 || frame < options.frames; ++frame) {
        while (nextEvent < script.size() && script[nextEvent].frame <= frame) {
            Apply(script[nextEvent++]);
        }
        engine.RunFrame(options.dt, [&]() {
            bool drawn = false;
            for (const ScreenshotRequest& request : screenshots) {
                if (request.frame != frame) {
                    continue;
                }
                if (!drawn) {
                    renderer.DrawScene(session->Graphics());
                    if (engine.Paused()) {
                        renderer.DrawPauseOverlay(havePausePicture ? &pausePicture : nullptr);
                    }
                    drawn = true;
                }
                if (!WriteFile(request.file, EncodeBmp24(renderer.Canvas()))) {
                    ReportProblem("cannot write the screenshot " + request.file.string());
                    outputFailed = true;
                }
            }
        });
        if (trace.is_open()) {
            TraceFrame line;
            line.frame = static_cast<int>(frame);
            line.dt = options.dt;
            line.actions = &engine.FrameActions();
            line.sounds = &session->Sound().Played();
            line.graphics = &session->Graphics();
            line.quit = engine.QuitRequested();
            trace << FormatTraceLine(line) << std::endl;   // kept whole if the game crashes
        }
        if (engine.QuitRequested()) {
            break;
        }
    }
    const long lastFrame = engine.FrameNumber() - 1;
    for (const ScreenshotRequest& request : screenshots) {
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
