// In a browser page the error stream is the browser's console, which players do not read: the
// page shows the failure.
#include "system/HostConsole.h"

#include <emscripten.h>

EM_JS(void, TellPageFailed, (const char* message), {
    if (Module['vantorFailed']) Module['vantorFailed'](UTF8ToString(message));
});

void HostConsoleStart() {}

void HostConsoleShowFailure(const std::string& message)
{
    TellPageFailed(message.c_str());
}
