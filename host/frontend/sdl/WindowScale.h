// How big the window starts and how the screen is scaled into it: pure arithmetic on sizes.
#pragma once

// The largest whole multiple of the screen that fits in the desktop's usable area with room to
// spare for panels and window borders; at least 1.
int DesktopScale(int usableWidth, int usableHeight);

// Whether a window of this size in pixels shows the screen at a whole-number scale, with sharp
// pixels: when that scale fills a good share of what the window could show. Otherwise the screen
// fills the window, filtered smoothly so that small text (AMMO) keeps its rows of pixels.
bool SharpScaleFits(int width, int height);
