// Linear congruential generator with the classic constants; the upper bits are the good ones.
#include "Random.h"

#include <algorithm>

void CRandom::Seed(uint32_t seed)
{
    state = seed;
}

int CRandom::Next()
{
    if (!queued.empty()) {
        const int value = queued.front();
        queued.pop_front();
        return value;
    }
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void CRandom::Enqueue(int value)
{
    queued.push_back(std::clamp(value, 0, kMax));
}
