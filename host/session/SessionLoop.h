// Plays one session (see Session.h) with a front end, to its end on "quit", on a closed window or
// after the asked number of frames.
#pragma once

#include <filesystem>

#include "session/CommandLine.h"
#include "session/FrontEnd.h"

// Plays the session; the process's exit status (non-zero when start-up or an output failed).
int RunSession(const HostOptions& options, CFrontEnd& frontEnd);
// The same with the plug-ins and data found from executableDirectory rather than from the
// running executable's place (a test's).
int RunSession(const HostOptions& options, CFrontEnd& frontEnd, const std::filesystem::path& executableDirectory);
