// On POSIX systems the error stream is the terminal's, or wherever the starter sent it.
#include "system/HostConsole.h"

void HostConsoleStart() {}

void HostConsoleShowFailure(const std::string&) {}
