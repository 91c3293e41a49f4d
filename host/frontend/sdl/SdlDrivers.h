// SDL's drivers where the system has more than one, or one that talks too much: which video
// driver SDL may try, keeping the sound driver's own complaints off the terminal, and a window
// that no window manager looks after.
#pragma once

#include <SDL.h>

// Before SDL_Init; SDL_VIDEODRIVER, if set, still decides.
void PreferUsableVideoDriver();
// Before the sound device is opened: our one line says when there is none.
void QuietenSoundDriver();
// After a switch to fullscreen or back: where nothing but SDL's request would change the window
// (X11 without a window manager), makes it the desktop's bounds or the windowed place it had,
// which SDL already takes it to have and draws for.
void SettleFullscreen(SDL_Window* window, bool fullscreen, const SDL_Rect& windowed);
