// The stand-in for time() on POSIX systems. The executable defines time() and exports it, so the
// game module's reference, bound when the module is loaded, reaches this one first.
#if !defined(__EMSCRIPTEN__)
#include <dlfcn.h>
#endif

#include <ctime>

#include "system/GameClock.h"

namespace {

std::int64_t TrueClock()
{
#if !defined(__EMSCRIPTEN__)   // the web page has no dynamic loader, and no other time()
    using TimeFunction = time_t (*)(time_t*);
    static const TimeFunction next = reinterpret_cast<TimeFunction>(dlsym(RTLD_NEXT, "time"));
    if (next != nullptr) {
        return static_cast<std::int64_t>(next(nullptr));
    }
#endif
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec);
}

}  // namespace

// Declared as the C library declares it: glibc's headers say it throws nothing, others don't.
#if defined(__GLIBC__)
#define VANTOR_TIME_NOTHROW noexcept
#else
#define VANTOR_TIME_NOTHROW
#endif

extern "C" __attribute__((visibility("default"))) time_t time(time_t* out) VANTOR_TIME_NOTHROW
{
    const time_t now = static_cast<time_t>(GameClock::Read(TrueClock));
    if (out != nullptr) {
        *out = now;
    }
    return now;
}

namespace GameClock {

bool Attach(CPluginLibrary&, std::string&)
{
    return true;   // the dynamic loader did it
}

}  // namespace GameClock
