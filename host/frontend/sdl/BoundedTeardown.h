// Closing the sound device (ALSA draining, Wine) and SDL_Quit (joining SDL's threads) can take a
// second or more on a busy machine, after the game has ended and its files are closed. They run
// on a thread of their own, waited for a bounded time; whatever is left when the time is up ends
// with the process.
#pragma once

#include <cstdint>

class CMixerSoundOutput;

// Closes the mixer, then SDL, waiting at most limitMs. False when they are still closing: the
// mixer then belongs to that thread, and must neither be used nor freed until the process ends.
bool TearDownSdlWithin(CMixerSoundOutput& mixer, std::uint32_t limitMs);
