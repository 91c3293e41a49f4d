// The game's SDL2 window: the 640 by 480 screen letterboxed into it with its aspect kept, sharp
// whole-number scaling where it fits, fullscreen on the desktop mode, vsync where the renderer has
// it. In a browser page the window is the page's canvas, which the page scales.
#pragma once

#include <SDL.h>

#include <string>

#include "formats/BmpCodec.h"

class CNoticeOverlay;

// Where the window lives: on a desktop, or as a web page's canvas (which keeps 640 by 480 pixels
// and is scaled by the page, whose browser runs the frames and gives the keyboard on a click).
enum class WindowPlace { Desktop, Page };

class CSdlWindow {
public:
    CSdlWindow() = default;
    ~CSdlWindow();
    CSdlWindow(const CSdlWindow&) = delete;
    CSdlWindow& operator=(const CSdlWindow&) = delete;

    // Opens the window hidden; false with SDL's reason.
    bool Open(WindowPlace place, std::string& error);
    // Picks sharp or smooth scaling for the window's current size.
    void FitScale();
    void SetIcon(const Bitmap& icon);
    void Show();
    // Pumps events until the window has keyboard focus or the time is up.
    void WaitForFocus(Uint32 timeoutMs) const;
    void SetFullscreen(bool fullscreen);
    // Shows the picture and the notice, if any; when shot is given, also reads back what the
    // window shows (left 0 wide when it cannot).
    void Present(const Bitmap& canvas, const CNoticeOverlay& notice, Bitmap* shot);
    // Shows the last picture again with the notice as it is now.
    void Redraw(const CNoticeOverlay& notice);
    // The title says that the window shows the replay of the file name, not a game.
    void NameReplay(const std::string& name);
    bool Minimized() const;

    SDL_Window* Handle() const { return window; }
    bool Vsync() const { return vsync; }

private:
    // The size in window pixels of the letterboxed picture, which is what can be read back.
    bool ShownSize(int& width, int& height) const;
    void Render(const CNoticeOverlay& notice, Bitmap* shot);

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool vsync = false;
    SDL_Rect windowed{};   // the window's place before fullscreen
};
