// The SDL2 window front end.
#include "frontend/sdl/SdlFrontEnd.h"

#include <SDL.h>

#include "frontend/sdl/BoundedTeardown.h"
#include "frontend/sdl/SdlVideo.h"
#include "session/HostSession.h"
#include "system/HostPaths.h"
#include "system/InputDevices.h"

namespace {

constexpr const char* kIconPicture = "images/Icon.bmp";
// How long to wait for the window manager to give the new window focus before the input starts:
// the keyboard binds itself to the window that is active at that moment.
constexpr Uint32 kFocusWaitMs = 1000;
// How long closing the sound device and SDL may hold the end of the game.
constexpr Uint32 kLongestTeardownMs = 120;
// Over a replay in a window; the page says the same around its canvas.
constexpr const char* kReplayTag = "REPLAY  P pause  Esc stop";
constexpr const char* kReplayFinished = "REPLAY FINISHED";
// How often a finished replay's window looks for the viewer's key.
constexpr Uint32 kHoldPollMs = 16;

// What ends the wait at a finished replay: a key or a pad button pressed (a key held from
// before only repeats), or the window closed.
bool EndsFinishedReplay(const SDL_Event& event)
{
    return event.type == SDL_QUIT || (event.type == SDL_KEYDOWN && event.key.repeat == 0) ||
           event.type == SDL_CONTROLLERBUTTONDOWN;
}

}  // namespace

CSdlFrontEnd::CSdlFrontEnd(WindowPlace windowPlace)
    : place(windowPlace), mixer(std::make_unique<CMixerSoundOutput>())
{
}

CSdlFrontEnd::~CSdlFrontEnd() = default;

bool CSdlFrontEnd::Prepare(std::string&)
{
    return true;
}

bool CSdlFrontEnd::Open(CHostSession& session, std::string& error)
{
    if (!StartSdlVideo(video, error)) {
        return false;
    }
    uncapped = UncappedFramesAsked();
    window = std::make_unique<CSdlWindow>();
    if (!window->Open(place, error)) {
        error = "cannot open a window (" + error + ")" + kNoDisplayAdvice;
        return false;
    }
    Bitmap icon;
    if (CGraphicsService::LoadBitmapFile(session.DataDirectory() / kIconPicture, false, icon, error)) {
        window->SetIcon(icon);
    }
    soundDevice = mixer->Open(error);
    if (soundDevice) {
        session.SetSoundOutput(*mixer);
    } else {
        ReportProblem("no sound device (" + error + "); playing without sound");
    }
    return true;
}

std::filesystem::path CSdlFrontEnd::DefaultWorkDirectory()
{
    const std::filesystem::path directory = UserDataDirectory();
    if (directory.empty()) {
        ReportProblem("warning: neither XDG_DATA_HOME nor HOME is set; the high score is kept in "
                      "the current directory");
    }
    return directory;
}

void CSdlFrontEnd::StartDevices(CHostSession& session)
{
    CSdlWindow* shown = window.get();
    session.Graphics().SetFullscreenHandler([shown](bool fullscreen) { shown->SetFullscreen(fullscreen); });
    window->Show();
    // Drivers without a display never give focus, and a page has the keyboard once it is clicked
    // or typed in: nothing to wait for there.
    if (place == WindowPlace::Desktop) {
        window->WaitForFocus(video.headlessDriver ? 0 : kFocusWaitMs);
    }
    InputDevicesUseWindow(window->Handle());
}

FrontEndEvents CSdlFrontEnd::BeginFrame(std::int64_t)
{
    FrontEndEvents events;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            events.closed = true;
            return events;
        }
        // M switches the sound; not game input, so never recorded and never in a trace. Without
        // a device there is nothing to switch, and the player is told so.
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0 &&
            event.key.keysym.scancode == SDL_SCANCODE_M && mixer != nullptr) {
            const char* said = "NO SOUND";
            if (soundDevice) {
                mixer->SetMuted(!mixer->Muted());
                said = mixer->Muted() ? "SOUND OFF" : "SOUND ON";
            }
            notice.Show(said, SDL_GetTicks64());
        }
        // H asks for the how-to-play card; any other press closes it. Neither reaches the game.
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
            const bool asksCard = event.key.keysym.scancode == SDL_SCANCODE_H;
            events.howToPlay = events.howToPlay || asksCard;
            events.keyPressed = events.keyPressed || !asksCard;
        }
        if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_FINGERDOWN ||
            event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_JOYBUTTONDOWN) {
            events.keyPressed = true;
        }
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            window->FitScale();
        }
        // A hidden window: a browser tab put in the background.
        if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                                              event.window.event == SDL_WINDOWEVENT_MINIMIZED ||
                                              event.window.event == SDL_WINDOWEVENT_HIDDEN)) {
            events.focusLost = true;
        }
    }
    return events;
}

void CSdlFrontEnd::Present(const Bitmap& canvas, Bitmap* shot)
{
    notice.Expire(SDL_GetTicks64());
    window->Present(canvas, notice, shot);
}

float CSdlFrontEnd::NextFrameTime()
{
    const Uint64 ticksPerSecond = SDL_GetPerformanceFrequency();
    Uint64 now = SDL_GetPerformanceCounter();
    // In a page the browser calls once per animation frame, and not at all for a hidden tab.
    const bool held = place == WindowPlace::Desktop &&
                      HoldsToNominalRate(window->Vsync(), uncapped, window->Minimized());
    const FrameWait wait = pacer.WaitBefore(now, ticksPerSecond, held);
    if (wait.needed) {
        SDL_Delay(wait.milliseconds);
        now = SDL_GetPerformanceCounter();
    }
    return pacer.BeginFrame(now, ticksPerSecond);
}

void CSdlFrontEnd::ShowReplay(const std::string& name)
{
    if (place == WindowPlace::Desktop) {
        window->NameReplay(name);
        notice.SetTag(kReplayTag);
    }
}

bool CSdlFrontEnd::HoldReplayEnd()
{
    // A page shows its own end screen over the last picture; nobody sees the dummy drivers'.
    if (place != WindowPlace::Desktop || video.headlessDriver) {
        return false;
    }
    if (!holdingReplay) {
        holdingReplay = true;
        notice.SetTag({});
        notice.Keep(kReplayFinished);
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (EndsFinishedReplay(event)) {
            return false;
        }
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            window->FitScale();
        }
    }
    window->Redraw(notice);   // after a resize or an uncovering too
    SDL_Delay(kHoldPollMs);
    return true;
}

void CSdlFrontEnd::LetGoOfSession(CHostSession& session)
{
    if (window != nullptr) {
        InputDevicesUseWindow(nullptr);
        session.Graphics().SetFullscreenHandler({});
    }
    session.UseSilence();
}

void CSdlFrontEnd::Close(CHostSession& session)
{
    LetGoOfSession(session);   // the mixer closes below
    window.reset();            // the player sees the game end at once
    if (!video.sdlStarted) {
        mixer->Close();
        return;
    }
    video.sdlStarted = false;
    if (!TearDownSdlWithin(*mixer, kLongestTeardownMs)) {
        // The teardown thread keeps the mixer; main ends the process at once after a window run.
        static_cast<void>(mixer.release());
        teardownUnfinished = true;
    }
}
