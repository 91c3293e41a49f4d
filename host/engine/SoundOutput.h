// Where decoded sounds go to be heard. The SDL front end mixes them; headless runs and machines
// without a sound device use the silent output.
#pragma once

#include "formats/WavCodec.h"

class CSoundOutput {
public:
    virtual ~CSoundOutput() = default;
    // Takes a decoded sound under the service's handle; false when it cannot be played.
    virtual bool Add(int handle, const PcmSound& sound) = 0;
    // Starts the sound once, alongside whatever already plays.
    virtual void Play(int handle) = 0;
    // Stops everything and lets go of every sound.
    virtual void RemoveAll() = 0;
};

class CSilentSoundOutput final : public CSoundOutput {
public:
    bool Add(int, const PcmSound&) override { return true; }
    void Play(int) override {}
    void RemoveAll() override {}
};
