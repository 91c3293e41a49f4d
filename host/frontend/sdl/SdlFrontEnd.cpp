// The SDL2 window front end.
#include "frontend/sdl/SdlFrontEnd.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "system/HostPaths.h"
#include "session/HostSession.h"
#include "system/InputDevices.h"
#include "engine/SoftwareRenderer.h"
#include "frontend/web/WebPage.h"

namespace {

constexpr const char* kTitle = "Vantor";
constexpr const char* kIconPicture = "images/Icon.bmp";
constexpr float kNominalFrameTime = 1.0f / 60.0f;
// Set to 1 in the environment, frames are not held to 60 a second without vsync: for measuring
// how fast the host can draw (scripts/bench --peer), never for play.
constexpr const char* kUncappedVariable = "VANTOR_UNCAPPED_FRAMES";
// A longer stall (a dragged window, a busy machine) counts as this much game time, so nothing
// jumps through a wall or through the player.
constexpr float kLongestStallCounted = 0.1f;
constexpr int kDesktopMargin = 96;   // room for panels and window borders
// A whole-number scale is kept while it fills at least this share of what the window could
// show; below that (or under 1x) the picture is scaled to fit with smooth filtering.
constexpr float kWholeScaleShare = 0.85f;
// How long to wait for the window manager to give the new window focus before the input starts:
// the keyboard binds itself to the window that is active at that moment.
[[maybe_unused]] constexpr Uint32 kFocusWaitMs = 1000;   // not in a page
// How long closing the sound device and SDL may hold the end of the game.
constexpr Uint32 kLongestTeardownMs = 120;

// The sound switch's notice: drawn by the host over the game for a moment, never part of the
// game's picture (so never in a trace), in a tiny font of its own.
constexpr Uint64 kNoticeMs = 1500;
constexpr int kNoticeDot = 3;   // logical pixels per font dot
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// Rows of the letters the notices use, '#' for a dot.
const char* const* GlyphOf(char letter)
{
    static const char* const kS[] = {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "};
    static const char* const kO[] = {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "};
    static const char* const kU[] = {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "};
    static const char* const kN[] = {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"};
    static const char* const kD[] = {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "};
    static const char* const kF[] = {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "};
    switch (letter) {
    case 'S': return kS;
    case 'O': return kO;
    case 'U': return kU;
    case 'N': return kN;
    case 'D': return kD;
    case 'F': return kF;
    default: return nullptr;   // a space
    }
}

// Draws text centred near the top of the 640 by 480 screen, light on a dark plate.
void DrawNotice(SDL_Renderer* renderer, const std::string& text)
{
    const int advance = (kGlyphWidth + 1) * kNoticeDot;
    const int width = static_cast<int>(text.size()) * advance - kNoticeDot;
    const int left = (kScreenWidth - width) / 2;
    const int top = 16;
    const SDL_Rect plate{left - 8, top - 8, width + 16, kGlyphHeight * kNoticeDot + 16};
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 170);
    SDL_RenderFillRect(renderer, &plate);
    SDL_SetRenderDrawColor(renderer, 255, 240, 200, 255);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* const* glyph = GlyphOf(text[i]);
        for (int row = 0; glyph != nullptr && row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if (glyph[row][column] == '#') {
                    const SDL_Rect dot{left + static_cast<int>(i) * advance + column * kNoticeDot,
                                       top + row * kNoticeDot, kNoticeDot, kNoticeDot};
                    SDL_RenderFillRect(renderer, &dot);
                }
            }
        }
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

SDL_Surface* SurfaceOf(const Bitmap& bitmap)
{
    return SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(bitmap.pixels.data()), bitmap.width, bitmap.height, 32,
        bitmap.width * 4, SDL_PIXELFORMAT_ARGB8888);
}

// The largest whole multiple of 640 by 480 that fits on the desktop with room to spare.
int InitialScale()
{
#if defined(__EMSCRIPTEN__)
    return 1;   // the page scales the canvas to the browser window
#endif
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return 1;
    }
    const int scale = std::min((usable.w - kDesktopMargin) / kScreenWidth,
                               (usable.h - kDesktopMargin) / kScreenHeight);
    return std::max(scale, 1);
}

}  // namespace

class CWindow {
public:
    ~CWindow()
    {
        if (texture != nullptr) {
            SDL_DestroyTexture(texture);
        }
        if (renderer != nullptr) {
            SDL_DestroyRenderer(renderer);
        }
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
    }

    bool Open(std::string& error)
    {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        const int scale = InitialScale();
#if defined(__EMSCRIPTEN__)
        const Uint32 resizable = 0;   // the canvas keeps 640 by 480 pixels; the page scales it
#else
        const Uint32 resizable = SDL_WINDOW_RESIZABLE;
#endif
        window = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  kScreenWidth * scale, kScreenHeight * scale,
                                  resizable | SDL_WINDOW_HIDDEN);
        if (window == nullptr) {
            error = SDL_GetError();
            return false;
        }
        SDL_SetWindowMinimumSize(window, kScreenWidth / 2, kScreenHeight / 2);
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (renderer == nullptr) {
            renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        }
        if (renderer == nullptr) {
            error = SDL_GetError();
            return false;
        }
        SDL_RendererInfo info;
        vsync = SDL_GetRendererInfo(renderer, &info) == 0 &&
                (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
        SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);   // letterboxed
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                    SDL_TEXTUREACCESS_STREAMING, kScreenWidth, kScreenHeight);
        if (texture == nullptr) {
            error = SDL_GetError();
            return false;
        }
        FitScale();
        return true;
    }

    // Whole-number scaling with sharp pixels when the window holds a good multiple of the
    // screen; otherwise the screen fills the window, filtered smoothly so that small text
    // (AMMO) stays readable instead of losing rows of pixels.
    void FitScale()
    {
        int width = 0;
        int height = 0;
        if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0 || width <= 0 || height <= 0) {
            return;
        }
        const float fit = std::min(static_cast<float>(width) / kScreenWidth,
                                   static_cast<float>(height) / kScreenHeight);
        const float whole = std::floor(fit);
        const bool sharp = whole >= 1.0f && whole >= fit * kWholeScaleShare;
        SDL_RenderSetIntegerScale(renderer, sharp ? SDL_TRUE : SDL_FALSE);
        SDL_SetTextureScaleMode(texture, sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    }

    void SetIcon(const Bitmap& icon)
    {
        SDL_Surface* surface = SurfaceOf(icon);
        if (surface != nullptr) {
            SDL_SetWindowIcon(window, surface);
            SDL_FreeSurface(surface);
        }
    }

    void Show()
    {
        SDL_ShowWindow(window);
        SDL_RaiseWindow(window);
    }

    // Pumps events until the window has keyboard focus or the time is up.
    void WaitForFocus(Uint32 timeoutMs) const
    {
        const Uint64 deadline = SDL_GetTicks64() + timeoutMs;
        SDL_PumpEvents();
        while (SDL_GetKeyboardFocus() != window && SDL_GetTicks64() < deadline) {
            SDL_Delay(10);
            SDL_PumpEvents();
        }
    }

    void SetFullscreen(bool fullscreen)
    {
        if (SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
            ReportProblem(std::string("cannot switch fullscreen: ") + SDL_GetError());
        }
        SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
    }

    // Shows the picture and the notice, if any; when shot is given, also reads back what the
    // window shows.
    void Present(const Bitmap& canvas, const std::string& notice, Bitmap* shot)
    {
        SDL_UpdateTexture(texture, nullptr, canvas.pixels.data(), canvas.width * 4);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        if (!notice.empty()) {
            DrawNotice(renderer, notice);
        }
        if (shot != nullptr && ShownSize(shot->width, shot->height)) {
            shot->pixels.assign(static_cast<std::size_t>(shot->width * shot->height), 0);
            if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                     shot->pixels.data(), shot->width * 4) != 0) {
                shot->width = 0;
            }
        }
        SDL_RenderPresent(renderer);
    }

    // The size in window pixels of the letterboxed picture, which is what can be read back.
    bool ShownSize(int& width, int& height) const
    {
        SDL_Rect viewport;
        float scaleX = 0.0f;
        float scaleY = 0.0f;
        SDL_RenderGetViewport(renderer, &viewport);
        SDL_RenderGetScale(renderer, &scaleX, &scaleY);
        width = static_cast<int>(std::lround(static_cast<float>(viewport.w) * scaleX));
        height = static_cast<int>(std::lround(static_cast<float>(viewport.h) * scaleY));
        return width > 0 && height > 0;
    }

    bool Minimized() const
    {
        return (SDL_GetWindowFlags(window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
    }

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool vsync = false;
};


CSdlFrontEnd::CSdlFrontEnd() : mixer(std::make_unique<CMixerSoundOutput>()) {}

CSdlFrontEnd::~CSdlFrontEnd() = default;

bool CSdlFrontEnd::Prepare(std::string&)
{
    return true;
}

bool CSdlFrontEnd::Open(CHostSession& session, std::string& error)
{
    SDL_SetMainReady();   // main is our own (SDL_MAIN_HANDLED)
#if defined(__linux__)
    // Without a Wayland socket named or a runtime directory to find one in, SDL's Wayland probe
    // cannot succeed and only leaves libwayland's complaint about XDG_RUNTIME_DIR on the
    // terminal: only X11 is tried then. SDL_VIDEODRIVER, if set, still decides.
    if (SDL_getenv("WAYLAND_DISPLAY") == nullptr && SDL_getenv("XDG_RUNTIME_DIR") == nullptr) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
#endif
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0) {
        error = std::string("no display available (") + SDL_GetError() +
                "); run vantor --headless to play without a window";
        return false;
    }
    sdlStarted = true;
    // SDL falls back to drawing nowhere when there is no display; a player would see nothing.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const std::string chosen = driver != nullptr ? driver : "";
    if ((chosen == "offscreen" || chosen == "dummy") && (asked == nullptr || chosen != asked)) {
        error = "no display available (set DISPLAY or WAYLAND_DISPLAY); run vantor --headless "
                "to play without a window";
        return false;
    }
    headlessDriver = chosen == "dummy" || chosen == "offscreen";
    const char* uncappedSetting = SDL_getenv(kUncappedVariable);
    uncapped = uncappedSetting != nullptr && std::string(uncappedSetting) == "1";
    if (uncapped) {
        std::fprintf(stderr, "vantor: %s=1: frames are not held to 60 a second\n", kUncappedVariable);
    }
    window = std::make_unique<CWindow>();
    if (!window->Open(error)) {
        error = "cannot open a window (" + error + "); run vantor --headless to play without a window";
        return false;
    }
    Bitmap icon;
    if (CGraphicsService::LoadBitmapFile(session.DataDirectory() / kIconPicture, false, icon, error)) {
        window->SetIcon(icon);
    }
    if (mixer->Open(error)) {
        session.SetSoundOutput(*mixer);
    } else {
        ReportProblem("no sound device (" + error + "); playing without sound");
    }
    return true;
}

std::filesystem::path CSdlFrontEnd::DefaultWorkDirectory()
{
#if defined(__EMSCRIPTEN__)
    return "/save";   // the browser's persistent storage, mounted there by the page
#endif
    const std::filesystem::path directory = UserDataDirectory();
    if (directory.empty()) {
        ReportProblem("warning: neither XDG_DATA_HOME nor HOME is set; the high score is kept in "
                      "the current directory");
    }
    return directory;
}

void CSdlFrontEnd::StartDevices(CHostSession& session)
{
    CWindow* shown = window.get();
    session.Graphics().SetFullscreenHandler([shown](bool fullscreen) { shown->SetFullscreen(fullscreen); });
    window->Show();
#if !defined(__EMSCRIPTEN__)   // a page has the keyboard once it is clicked or typed in
    // Drivers without a display never give focus; nothing to wait for there.
    window->WaitForFocus(headlessDriver ? 0 : kFocusWaitMs);
#endif
    InputDevicesUseWindow(window->window);
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
        // M switches the sound; not game input, so never recorded and never in a trace.
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0 &&
            event.key.keysym.scancode == SDL_SCANCODE_M && mixer != nullptr) {
            mixer->SetMuted(!mixer->Muted());
            notice = mixer->Muted() ? "SOUND OFF" : "SOUND ON";
            noticeEnds = SDL_GetTicks64() + kNoticeMs;
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
    if (!notice.empty() && SDL_GetTicks64() >= noticeEnds) {
        notice.clear();
    }
    window->Present(canvas, notice, shot);
}

float CSdlFrontEnd::NextFrameTime()
{
    const Uint64 ticksPerSecond = SDL_GetPerformanceFrequency();
    Uint64 now = SDL_GetPerformanceCounter();
    if (!timing) {
        timing = true;
        previous = now;
        return kNominalFrameTime;
    }
    const auto secondsSince = [&](Uint64 then) {
        return static_cast<float>(static_cast<double>(now - then) / static_cast<double>(ticksPerSecond));
    };
    float elapsed = secondsSince(previous);
#if defined(__EMSCRIPTEN__)
    // The browser calls once per animation frame, and not at all for a hidden tab.
    WebPage::KeepSavedGames();
#else
    // Without vsync (or while minimised) frames would race: hold them to 60 a second, unless a
    // benchmark asked for them to race.
    if (((!window->vsync && !uncapped) || window->Minimized()) && elapsed < kNominalFrameTime) {
        SDL_Delay(static_cast<Uint32>((kNominalFrameTime - elapsed) * 1000.0f));
        now = SDL_GetPerformanceCounter();
        elapsed = secondsSince(previous);
    }
#endif
    previous = now;
    return std::clamp(elapsed, 0.0f, kLongestStallCounted);
}

void CSdlFrontEnd::Close(CHostSession& session)
{
    if (window != nullptr) {
        InputDevicesUseWindow(nullptr);
        session.Graphics().SetFullscreenHandler({});
    }
    session.UseSilence();   // the mixer closes below
#if defined(__EMSCRIPTEN__)
    // The page lives on, its end screen over the last picture. The window and the sound stay
    // open: closing the browser's audio context fails the resume that SDL's own key handler may
    // have asked for a moment before.
    return;
#endif
    window.reset();         // the player sees the game end at once
    if (!sdlStarted) {
        mixer->Close();
        return;
    }
    sdlStarted = false;
    // Closing the sound device (ALSA draining, Wine) and SDL_Quit (joining SDL's threads) can
    // take a second or more on a busy machine, after the game has ended and its files are
    // closed. They run on a thread of their own, waited for a bounded time; whatever is left
    // when the time is up ends with the process (main ends it at once after a window run).
    struct Teardown {
        CMixerSoundOutput* mixer;
        SDL_sem* done;
    };
    SDL_sem* done = SDL_CreateSemaphore(0);
    auto* teardown = new Teardown{mixer.get(), done};
    SDL_Thread* thread = done == nullptr ? nullptr : SDL_CreateThread([](void* data) {
        auto* work = static_cast<Teardown*>(data);
        work->mixer->Close();
        SDL_Quit();
        SDL_SemPost(work->done);
        return 0;
    }, "teardown", teardown);
    if (thread == nullptr) {
        mixer->Close();
        SDL_Quit();
        if (done != nullptr) {
            SDL_DestroySemaphore(done);
        }
        delete teardown;
        return;
    }
    if (SDL_SemWaitTimeout(done, kLongestTeardownMs) == 0) {
        SDL_WaitThread(thread, nullptr);
        SDL_DestroySemaphore(done);
        delete teardown;
        return;
    }
    // Still busy: the thread keeps the mixer, the semaphore and its work until the process ends.
    SDL_DetachThread(thread);
    static_cast<void>(mixer.release());
    teardownUnfinished = true;
}

#if defined(__EMSCRIPTEN__)
void CSdlFrontEnd::RunFrames(std::function<bool()> step, std::function<int()> finished)
{
    WebPage::RunFrames(std::move(step), std::move(finished));
}
#endif
