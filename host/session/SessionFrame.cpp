// One frame of a session.
#include "session/SessionFrame.h"

namespace {
constexpr const char* kPausePicture = "images/Paused.bmp";
constexpr const char* kHowToPlayPicture = "images/HowToPlay.bmp";
}  // namespace

CSessionFrame::CSessionFrame(CFrontEnd& givenFrontEnd, CHostSession& givenSession, CSessionOutputs& givenOutputs)
    : frontEnd(givenFrontEnd), session(givenSession), engine(givenSession.Engine()), outputs(givenOutputs)
{
}

void CSessionFrame::LoadPausePicture()
{
    std::string error;
    if (CGraphicsService::LoadBitmapFile(session.DataDirectory() / kPausePicture, false, pausePicture, error)) {
        pauseOverlay = &pausePicture;
        return;
    }
    ReportProblem("warning: cannot load " + std::string(kPausePicture) + " (" + error +
                  "); the pause screen shows without its title");
}

bool CSessionFrame::LoadHowToPlay()
{
    std::string error;
    if (CGraphicsService::LoadBitmapFile(session.DataDirectory() / kHowToPlayPicture, false, howToPlay, error)) {
        return true;
    }
    ReportProblem("warning: cannot load " + std::string(kHowToPlayPicture) + " (" + error +
                  "); the game starts without its how-to-play card");
    return false;
}

void CSessionFrame::Run(float dt, const FrameInput& input)
{
    const std::int64_t frame = engine.FrameNumber();
    const bool shotWanted = outputs.ScreenshotWanted(frame);
    const bool draw = shotWanted || frontEnd.DrawsEveryFrame();
    engine.RunFrame(dt, input, [&]() {
        if (draw) {
            renderer.DrawScene(session.Graphics());
            if (howToPlayShown) {
                renderer.DrawHowToPlay(howToPlay);
            } else if (engine.Paused()) {
                renderer.DrawPauseOverlay(pauseOverlay);
            }
        }
    });
    Bitmap shot;
    frontEnd.Present(renderer.Canvas(), shotWanted ? &shot : nullptr);
    if (shotWanted) {
        outputs.WriteScreenshots(frame, shot);
    }
    if (outputs.Tracing()) {
        TraceFrame line;
        line.frame = frame;
        line.dt = dt;
        line.actions = &engine.FrameActions();
        line.sounds = &session.Sound().Played();
        line.graphics = &session.Graphics();
        line.quit = engine.QuitRequested();
        // A window's frame lasts milliseconds: a flush each frame costs nothing that shows there.
        outputs.WriteTrace(line, frontEnd.DrawsEveryFrame());
    }
}

void CSessionFrame::ShowPaused()
{
    renderer.DrawScene(session.Graphics());
    renderer.DrawPauseOverlay(pauseOverlay);
    frontEnd.Present(renderer.Canvas(), nullptr);
}
