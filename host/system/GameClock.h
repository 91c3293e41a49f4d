// The calendar clock as the game module sees it. The module seeds its generator from the C
// library's time() at every Attach; the host stands in for that call (on Linux the executable
// defines time() and the module's reference binds to it; on Windows the host redirects the
// module's import), so that live play can record each reading and a replay can hand the
// recorded ones back. Only calls from the thread that set the mode are served so; any other
// thread, and every call before a mode is set, gets the true clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CPluginLibrary;

namespace GameClock {

using Observer = std::function<void(std::int64_t)>;

// Live: the true clock, each reading reported to observer.
void Record(Observer observer);
// Back to the true clock for every call, nothing queued or counted: a session ends so, and the
// next one starts from there.
void Reset();
// Replay: readings handed out in order; past the last one, the true clock (and RanOut() says so).
void Replay();
void QueueReadings(const std::vector<std::int64_t>& readings);
bool RanOut();
// Readings handed out, or recorded, so far.
std::int64_t ReadingCount();

// What the stand-in returns; trueClock reads the real one.
std::int64_t Read(std::int64_t (*trueClock)());

// Points the game module's clock at the stand-in where that needs doing after loading it;
// false with why when the module's clock cannot be reached.
bool Attach(CPluginLibrary& gameModule, std::string& error);

}  // namespace GameClock
