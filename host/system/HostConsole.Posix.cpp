// On POSIX systems the error stream is the terminal's, or wherever the starter sent it. In a
// browser page it is the console, which players do not read: the page shows the failure.
#include "system/HostConsole.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten.h>

EM_JS(void, TellPageFailed, (const char* message), {
    if (Module['vantorFailed']) Module['vantorFailed'](UTF8ToString(message));
});
#endif

void HostConsoleStart() {}

#if defined(__EMSCRIPTEN__)
void HostConsoleShowFailure(const std::string& message)
{
    TellPageFailed(message.c_str());
}
#else
void HostConsoleShowFailure(const std::string&) {}
#endif
