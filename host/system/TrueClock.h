// The calendar clock that the game clock's stand-in for time() hides: what time() would have
// returned without it, in seconds.
#pragma once

#include <cstdint>

std::int64_t TrueClockSeconds();
