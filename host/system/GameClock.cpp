// The game clock's state, shared by the system's stand-in for time().
#include "system/GameClock.h"

#include <deque>
#include <thread>

namespace {

enum class Mode { Off, Recording, Replaying };

struct ClockState {
    Mode mode = Mode::Off;
    std::thread::id thread;
    GameClock::Observer observer;
    std::deque<std::int64_t> queued;
    bool ranOut = false;
    std::int64_t count = 0;
};

ClockState& State()
{
    static ClockState state;
    return state;
}

}  // namespace

namespace GameClock {

void Record(Observer observer)
{
    ClockState& state = State();
    state.mode = Mode::Recording;
    state.thread = std::this_thread::get_id();
    state.observer = std::move(observer);
}

void Reset()
{
    State() = ClockState();
}

void Replay()
{
    ClockState& state = State();
    state.mode = Mode::Replaying;
    state.thread = std::this_thread::get_id();
}

void QueueReadings(const std::vector<std::int64_t>& readings)
{
    State().queued.insert(State().queued.end(), readings.begin(), readings.end());
}

bool RanOut()
{
    return State().ranOut;
}

std::int64_t ReadingCount()
{
    return State().count;
}

std::int64_t Read(std::int64_t (*trueClock)())
{
    ClockState& state = State();
    if (state.mode == Mode::Off || std::this_thread::get_id() != state.thread) {
        return trueClock();
    }
    ++state.count;
    if (state.mode == Mode::Replaying) {
        if (state.queued.empty()) {
            state.ranOut = true;
            return trueClock();
        }
        const std::int64_t reading = state.queued.front();
        state.queued.pop_front();
        return reading;
    }
    const std::int64_t reading = trueClock();
    if (state.observer) {
        state.observer(reading);
    }
    return reading;
}

}  // namespace GameClock
