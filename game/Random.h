// The game's random source: integers 0 to 32767, the range the game's formulas divide by.
// Our own generator, so the range and the sequence are the same on every platform.
#pragma once

#include <cstdint>
#include <cstddef>
#include <vector>

class CRandom {
public:
    static constexpr int kMax = 32767;

    void Seed(uint32_t seed);
    // The next number, 0 to kMax inclusive.
    int Next();
    // Values handed out before the generator's own, in order (replays and tests).
    void Enqueue(int value);

private:
    uint32_t state = 1;
    std::vector<int> queued;             // allocates nothing until a value is queued
    std::size_t nextQueued = 0;
};
