// The headless front end: no window and no sound device, a fixed frame time, input from a
// script into the platform's virtual keyboard and pad, a JSON-lines trace and screenshots.
#pragma once

#include "CommandLine.h"

// Runs the whole headless session; the process's exit status.
int RunHeadless(const HostOptions& options);
