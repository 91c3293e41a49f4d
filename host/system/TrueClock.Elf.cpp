// The true clock on ELF systems: the time() that the executable's own one interposes, found next
// in the dynamic loader's order (the C library's, or a preloaded one such as faketime's).
#include "system/TrueClock.h"

#include <dlfcn.h>

#include <ctime>

std::int64_t TrueClockSeconds()
{
    using TimeFunction = time_t (*)(time_t*);
    static const TimeFunction next = reinterpret_cast<TimeFunction>(dlsym(RTLD_NEXT, "time"));
    if (next != nullptr) {
        return static_cast<std::int64_t>(next(nullptr));
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec);
}
