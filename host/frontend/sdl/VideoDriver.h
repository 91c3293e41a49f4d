// Which of SDL's video drivers the window front end lets SDL try, where the system has more than
// one and some cannot work in the session at hand.
#pragma once

// Before SDL_Init; SDL_VIDEODRIVER, if set, still decides.
void PreferUsableVideoDriver();
