// The true clock inside a shared library that keeps its own time() to itself (the RetroArch
// core): the program's time() as a global lookup finds it, i.e. the frontend's C library or one
// preloaded before it (faketime's). The library's own stand-in is not exported, so it is never
// found here.
#include "system/TrueClock.h"

#include <dlfcn.h>

#include <ctime>

std::int64_t TrueClockSeconds()
{
    using TimeFunction = time_t (*)(time_t*);
    static const TimeFunction global = reinterpret_cast<TimeFunction>(dlsym(RTLD_DEFAULT, "time"));
    if (global != nullptr) {
        return static_cast<std::int64_t>(global(nullptr));
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec);
}
