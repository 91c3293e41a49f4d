// SDL's drivers where the system has more than one, or one that talks too much: which video
// driver SDL may try, and keeping the sound driver's own complaints off the terminal.
#pragma once

// Before SDL_Init; SDL_VIDEODRIVER, if set, still decides.
void PreferUsableVideoDriver();
// Before the sound device is opened: our one line says when there is none.
void QuietenSoundDriver();
