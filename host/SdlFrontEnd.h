// The window front end: SDL2 window with a 640 by 480 screen scaled with its aspect kept,
// fullscreen on the desktop mode, vsync'd frames with the real frame time, sound through
// SDL2_mixer, pause with a dimmed overlay (also when the window loses focus).
#pragma once

#include "CommandLine.h"

// Plays the game in a window; the process's exit status.
int RunWindowed(const HostOptions& options);
