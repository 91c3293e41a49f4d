// The true clock in the web page: no dynamic loader and no other time() to find, so the
// calendar clock is read directly.
#include "system/TrueClock.h"

#include <ctime>

std::int64_t TrueClockSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec);
}
