// The game's SDL2 window (see SdlWindow.h).
#include "frontend/sdl/SdlWindow.h"

#include <cmath>

#include "VantorScreen.h"
#include "frontend/sdl/NoticeOverlay.h"
#include "frontend/sdl/SdlDrivers.h"
#include "frontend/sdl/WindowScale.h"
#include "session/HostSession.h"

namespace {

constexpr const char* kTitle = "Vantor";

SDL_Surface* SurfaceOf(const Bitmap& bitmap)
{
    return SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(bitmap.pixels.data()), bitmap.width, bitmap.height, 32,
        bitmap.width * 4, SDL_PIXELFORMAT_ARGB8888);
}

// The window's starting multiple of 640 by 480: what suits the desktop; 1 in a page.
int InitialScale(WindowPlace place)
{
    SDL_Rect usable;
    if (place == WindowPlace::Page || SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return 1;
    }
    return DesktopScale(usable.w, usable.h);
}

}  // namespace

CSdlWindow::~CSdlWindow()
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

bool CSdlWindow::Open(WindowPlace place, std::string& error)
{
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const int scale = InitialScale(place);
    const Uint32 resizable = place == WindowPlace::Page ? 0 : SDL_WINDOW_RESIZABLE;
    window = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              kScreenWidth * scale, kScreenHeight * scale, resizable | SDL_WINDOW_HIDDEN);
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
    vsync = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);   // letterboxed
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                kScreenWidth, kScreenHeight);
    if (texture == nullptr) {
        error = SDL_GetError();
        return false;
    }
    FitScale();
    return true;
}

void CSdlWindow::FitScale()
{
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0 || width <= 0 || height <= 0) {
        return;
    }
    const bool sharp = SharpScaleFits(width, height);
    SDL_RenderSetIntegerScale(renderer, sharp ? SDL_TRUE : SDL_FALSE);
    SDL_SetTextureScaleMode(texture, sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

void CSdlWindow::SetIcon(const Bitmap& icon)
{
    SDL_Surface* surface = SurfaceOf(icon);
    if (surface != nullptr) {
        SDL_SetWindowIcon(window, surface);
        SDL_FreeSurface(surface);
    }
}

void CSdlWindow::Show()
{
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
}

void CSdlWindow::WaitForFocus(Uint32 timeoutMs) const
{
    const Uint64 deadline = SDL_GetTicks64() + timeoutMs;
    SDL_PumpEvents();
    while (SDL_GetKeyboardFocus() != window && SDL_GetTicks64() < deadline) {
        SDL_Delay(10);
        SDL_PumpEvents();
    }
}

void CSdlWindow::SetFullscreen(bool fullscreen)
{
    const bool was = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (fullscreen && !was) {
        SDL_GetWindowPosition(window, &windowed.x, &windowed.y);
        SDL_GetWindowSize(window, &windowed.w, &windowed.h);
    }
    if (SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        ReportProblem(std::string("cannot switch fullscreen: ") + SDL_GetError());
        return;
    }
    if (fullscreen != was) {
        SettleFullscreen(window, fullscreen, windowed);
    }
    // The size may have changed with no event to say so.
    FitScale();
    SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
}

void CSdlWindow::Present(const Bitmap& canvas, const CNoticeOverlay& notice, Bitmap* shot)
{
    SDL_UpdateTexture(texture, nullptr, canvas.pixels.data(), canvas.width * 4);
    Render(notice, shot);
}

void CSdlWindow::Redraw(const CNoticeOverlay& notice)
{
    Render(notice, nullptr);
}

void CSdlWindow::NameReplay(const std::string& name)
{
    SDL_SetWindowTitle(window, (std::string(kTitle) + " - replay of " + name).c_str());
}

void CSdlWindow::Render(const CNoticeOverlay& notice, Bitmap* shot)
{
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    notice.Draw(renderer);
    if (shot != nullptr && ShownSize(shot->width, shot->height)) {
        shot->pixels.assign(static_cast<std::size_t>(shot->width * shot->height), 0);
        if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels.data(),
                                 shot->width * 4) != 0) {
            shot->width = 0;
        }
    }
    SDL_RenderPresent(renderer);
}

bool CSdlWindow::ShownSize(int& width, int& height) const
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

bool CSdlWindow::Minimized() const
{
    return (SDL_GetWindowFlags(window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}
