// The web page's front end.
#include "frontend/web/WebFrontEnd.h"

#include <utility>

#include "frontend/web/TouchPad.h"
#include "frontend/web/WebPage.h"

namespace {

// The browser's persistent storage, mounted there by the page.
constexpr const char* kSaveDirectory = "/save";

}  // namespace

CWebFrontEnd::CWebFrontEnd() : CSdlFrontEnd(WindowPlace::Page) {}

std::filesystem::path CWebFrontEnd::DefaultWorkDirectory()
{
    return kSaveDirectory;
}

FrontEndEvents CWebFrontEnd::BeginFrame(std::int64_t frame)
{
    PageTouchPad().BeforeFrame();   // read by SDL as it pumps the frame's events
    return CSdlFrontEnd::BeginFrame(frame);
}

float CWebFrontEnd::NextFrameTime()
{
    const float frameTime = CSdlFrontEnd::NextFrameTime();
    if (timed) {
        WebPage::KeepSavedGames();
    }
    timed = true;
    return frameTime;
}

void CWebFrontEnd::Close(CHostSession& session)
{
    // The page lives on, its end screen over the last picture. The window and the sound stay
    // open: closing the browser's audio context fails the resume that SDL's own key handler may
    // have asked for a moment before.
    LetGoOfSession(session);
}

void CWebFrontEnd::RunFrames(std::function<bool()> step, std::function<int()> finished)
{
    WebPage::RunFrames(std::move(step), std::move(finished));
}
