// The stand-in for time() on POSIX systems. The executable defines time() and exports it, so the
// game module's reference, bound when the module is loaded, reaches this one first (in the web
// page, where the module is linked in, the linker binds it here).
#include <ctime>

#include "system/GameClock.h"
#include "system/TrueClock.h"

// Declared as the C library declares it: glibc's headers say it throws nothing, others don't.
#if defined(__GLIBC__)
#define VANTOR_TIME_NOTHROW noexcept
#else
#define VANTOR_TIME_NOTHROW
#endif

extern "C" __attribute__((visibility("default"))) time_t time(time_t* out) VANTOR_TIME_NOTHROW
{
    const time_t now = static_cast<time_t>(GameClock::Read(TrueClockSeconds));
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
