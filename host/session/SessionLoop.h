// One session of the game, the same for every front end: start-up (plug-ins, work directory,
// input, game state), the frame loop with the trace, screenshots and the pause picture, and the
// end on "quit", on a closed window or after the asked number of frames.
#pragma once

#include "session/CommandLine.h"
#include "session/FrontEnd.h"

// Plays the session; the process's exit status (non-zero when start-up or an output failed).
int RunSession(const HostOptions& options, CFrontEnd& frontEnd);
