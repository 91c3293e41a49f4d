// Small building blocks for the game's sound effects: a seeded noise source, band-limited
// oscillators, simple filters and the final step that turns a mix into 16-bit samples.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

constexpr int kSampleRate = 22050;

// A fixed xorshift generator: the same seed gives the same noise on every machine.
class CNoise {
public:
    explicit CNoise(uint32_t seed) : state(seed != 0 ? seed : 1) {}
    // Uniform in [-1, 1].
    float Next();

private:
    uint32_t state;
};

// A pulse wave whose frequency may change every sample (PolyBLEP corrected edges, so fast
// sweeps stay free of aliasing whistles). duty is the high share of a period, 0 to 1.
class CPulse {
public:
    float Next(float frequency, float duty);

private:
    float phase = 0.0f;
};

// A triangle wave, for soft low tones.
class CTriangle {
public:
    float Next(float frequency);

private:
    float phase = 0.0f;
};

// A one-pole low-pass filter.
class CLowPass {
public:
    float Next(float input, float cutoff);

private:
    float state = 0.0f;
};

// A state-variable band-pass filter with resonance q (higher is narrower).
class CBandPass {
public:
    float Next(float input, float centre, float q);

private:
    float low = 0.0f;
    float band = 0.0f;
};

// Seconds to sample count.
int Samples(float seconds);
// Exponential glide from a to b as t goes from 0 to 1.
float Glide(float a, float b, float t);
// Attack then exponential decay with the given time constant, at time t seconds.
float Envelope(float t, float attack, float decay);

// Fades the ends against clicks, scales the mix so its loudest 50 ms have the RMS loudness
// (full scale 1), rounds off peaks softly and converts to 16 bits.
std::vector<int16_t> Finish(std::vector<float> mix, float loudness);

}  // namespace synth
