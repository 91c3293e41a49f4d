// Sound output through SDL2_mixer: each sound converted once to the device's format, played on
// the first free channel so that several sound at once. The channels' volumes leave headroom
// (engine/SoundHeadroom.h), so the mix never clips (seven fireballs at once only play quieter). Muting stops every sound and
// plays none until unmuted; what the game plays is unchanged.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/SoundOutput.h"

struct Mix_Chunk;

class CMixerSoundOutput final : public CSoundOutput {
public:
    // Opens the sound device; false with SDL's reason when there is none (SDL's audio then runs
    // on its dummy driver, and nothing should be played through this output).
    bool Open(std::string& error);
    ~CMixerSoundOutput() override;
    // Stops every sound and closes the device; nothing plays after it.
    void Close();

    bool Add(int handle, const PcmSound& sound) override;
    void Play(int handle) override;
    void RemoveAll() override;
    void SetMuted(bool value);
    bool Muted() const { return muted; }

private:
    bool OpenDevice(std::string& error);

    struct Clip {
        std::vector<uint8_t> samples;   // in the device's format; the chunk points into it
        Mix_Chunk* chunk = nullptr;
        int peak = 32767;   // of the samples, as drawn on by the headroom
    };

    std::unordered_map<int, std::unique_ptr<Clip>> clips;
    int deviceRate = 0;
    uint16_t deviceFormat = 0;
    int deviceChannels = 0;
    bool open = false;
    bool muted = false;
    std::vector<int> channelPeaks;   // of the sound last started on each channel
};
