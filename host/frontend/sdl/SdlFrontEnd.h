// The window front end: SDL2 window with a 640 by 480 screen scaled with its aspect kept,
// fullscreen on the desktop mode, vsync'd frames with the real frame time, sound through
// SDL2_mixer, pause when the window loses focus. In a browser page the window is the page's
// canvas, which the page scales, and the browser runs the frames.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "session/FrontEnd.h"
#include "frontend/sdl/MixerSoundOutput.h"

class CWindow;

class CSdlFrontEnd final : public CFrontEnd {
public:
    CSdlFrontEnd();
    ~CSdlFrontEnd() override;

    bool Prepare(std::string& error) override;
    bool Open(CHostSession& session, std::string& error) override;
    std::filesystem::path DefaultWorkDirectory() override;
    void StartDevices(CHostSession& session) override;
    FrontEndEvents BeginFrame(std::int64_t frame) override;
    bool DrawsEveryFrame() const override { return true; }
    void Present(const Bitmap& canvas, Bitmap* shot) override;
    float NextFrameTime() override;
    void Close(CHostSession& session) override;
#if defined(__EMSCRIPTEN__)
    void RunFrames(std::function<bool()> step, std::function<int()> finished) override;
#endif

    // Close left SDL's teardown running on a thread: the process must end without running
    // destructors (main does, after flushing its output).
    bool TeardownUnfinished() const { return teardownUnfinished; }

private:
    std::unique_ptr<CWindow> window;
    std::unique_ptr<CMixerSoundOutput> mixer;   // let go unfreed if its teardown is unfinished
    bool sdlStarted = false;
    bool teardownUnfinished = false;
    bool headlessDriver = false;   // the dummy or offscreen video driver, asked for by name
    bool uncapped = false;         // frames not held to 60 a second (for benchmarks only)
    std::string notice;   // shown over the game until noticeEnds (SDL ticks)
    Uint64 noticeEnds = 0;
    bool timing = false;
    Uint64 previous = 0;
};
