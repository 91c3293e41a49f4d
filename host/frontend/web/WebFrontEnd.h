// The web page's front end: the window front end on the page's canvas. The browser runs the
// frames, the high score lives in the browser's storage, the page's touch controls are a pad, and
// the page outlives the session.
#pragma once

#include "frontend/sdl/SdlFrontEnd.h"

class CWebFrontEnd final : public CSdlFrontEnd {
public:
    CWebFrontEnd();

    std::filesystem::path DefaultWorkDirectory() override;
    FrontEndEvents BeginFrame(std::int64_t frame) override;
    float NextFrameTime() override;
    bool MayWait() const override { return false; }
    void Close(CHostSession& session) override;
    void RunFrames(std::function<bool()> step, std::function<int()> finished) override;

private:
    bool timed = false;   // a frame has been timed: the saves are looked at from the next one
};
