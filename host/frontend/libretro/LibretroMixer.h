// The core's sound: a mixer of our own, the same on every run. Each sound is converted once to
// 44100 Hz 16-bit stereo; a frame's worth (735 frames at 60 frames a second) is mixed when the
// frontend asks, on its thread, with the window's headroom rule (engine/SoundHeadroom.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/SoundOutput.h"

class CLibretroMixer final : public CSoundOutput {
public:
    static constexpr int kRate = 44100;
    static constexpr int kFramesPerRun = kRate / 60;
    static constexpr std::size_t kVoices = 16;   // sounds at once; a further one is skipped

    bool Add(int handle, const PcmSound& sound) override;
    void Play(int handle) override;
    void RemoveAll() override;
    // While silenced, nothing starts and nothing plays (a save state being caught up with).
    void SetSilenced(bool value);

    // The next frames of the mix, interleaved left and right, into out (2 * frames values).
    void Mix(std::int16_t* out, std::size_t frames);

    // A sound as the mixer keeps it: 44100 Hz stereo, interleaved. Empty when it cannot be read.
    static std::vector<std::int16_t> Convert(const PcmSound& sound);

private:
    struct Clip {
        std::vector<std::int16_t> samples;
        int peak = 0;
    };
    struct Voice {
        const Clip* clip;
        std::size_t position;   // in frames
        int volume;
    };

    std::unordered_map<int, Clip> clips;
    std::vector<Voice> voices;
    std::vector<std::int32_t> sum;   // the mix before it is clamped, kept between runs
    bool silenced = false;
};
