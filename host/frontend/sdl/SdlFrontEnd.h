// The window front end: the game in an SDL2 window (SdlWindow.h) with the real frame time, sound
// through SDL2_mixer, M to switch the sound, and a pause when the window loses focus. The web
// page's front end (frontend/web) is this one with the page's own ways.
#pragma once

#include <memory>
#include <string>

#include "frontend/sdl/FramePacer.h"
#include "frontend/sdl/MixerSoundOutput.h"
#include "frontend/sdl/NoticeOverlay.h"
#include "frontend/sdl/SdlVideo.h"
#include "frontend/sdl/SdlWindow.h"
#include "session/FrontEnd.h"

class CSdlFrontEnd : public CFrontEnd {
public:
    explicit CSdlFrontEnd(WindowPlace place = WindowPlace::Desktop);
    ~CSdlFrontEnd() override;

    bool Prepare(std::string& error) override;
    bool Open(CHostSession& session, std::string& error) override;
    std::filesystem::path DefaultWorkDirectory() override;
    void StartDevices(CHostSession& session) override;
    FrontEndEvents BeginFrame(std::int64_t frame) override;
    bool DrawsEveryFrame() const override { return true; }
    bool ShowsHowToPlay() const override { return true; }
    void Present(const Bitmap& canvas, Bitmap* shot) override;
    float NextFrameTime() override;
    void Close(CHostSession& session) override;
    void ShowReplay(const std::string& name) override;
    bool HoldReplayEnd() override;

    // Close left SDL's teardown running on a thread: the process must end without running
    // destructors (main does, after flushing its output).
    bool TeardownUnfinished() const { return teardownUnfinished; }
    // The notice shown over the game now ("SOUND OFF", ...), or empty.
    const std::string& NoticeText() const { return notice.Text(); }

protected:
    // Takes the window and the sound away from the session, leaving both open.
    void LetGoOfSession(CHostSession& session);

private:
    const WindowPlace place;
    std::unique_ptr<CSdlWindow> window;
    std::unique_ptr<CMixerSoundOutput> mixer;   // let go unfreed if its teardown is unfinished
    CNoticeOverlay notice;
    CFramePacer pacer;
    SdlVideoStart video;
    bool teardownUnfinished = false;
    bool uncapped = false;   // frames not held to 60 a second (for benchmarks only)
    bool holdingReplay = false;
    bool soundDevice = false;   // the mixer opened a real device
};
