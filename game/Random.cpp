// Linear congruential generator with the classic constants; the upper bits are the good ones.
#include "Random.h"

#include <algorithm>

void CRandom::Seed(uint32_t seed)
{
    state = seed;
}

int CRandom::Next()
{
    if (nextQueued < queued.size()) {
        const int value = queued[nextQueued++];
        if (nextQueued == queued.size()) {
            queued.clear();
            nextQueued = 0;
        }
        return value;
    }
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void CRandom::Enqueue(int value)
{
    queued.push_back(std::clamp(value, 0, kMax));
}
