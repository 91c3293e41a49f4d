// Oscillators, filters and the final mix-down.
#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {
namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kFadeIn = 0.002f;
constexpr float kFadeOut = 0.008f;

// The PolyBLEP residual that rounds off a step at phase 0 of a wave with increment dt.
float PolyBlep(float t, float dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

}  // namespace

float CNoise::Next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state >> 8) / static_cast<float>(1u << 23) - 1.0f;
}

float CPulse::Next(float frequency, float duty)
{
    const float dt = frequency / static_cast<float>(kSampleRate);
    float value = phase < duty ? 1.0f : -1.0f;
    value += PolyBlep(phase, dt);
    float falling = phase - duty;
    if (falling < 0.0f)
        falling += 1.0f;
    value -= PolyBlep(falling, dt);
    phase += dt;
    phase -= std::floor(phase);
    return value;
}

float CTriangle::Next(float frequency)
{
    const float value = 4.0f * std::fabs(phase - 0.5f) - 1.0f;
    phase += frequency / static_cast<float>(kSampleRate);
    phase -= std::floor(phase);
    return value;
}

float CLowPass::Next(float input, float cutoff)
{
    const float a = 1.0f - std::exp(-kTwoPi * cutoff / static_cast<float>(kSampleRate));
    state += a * (input - state);
    return state;
}

float CBandPass::Next(float input, float centre, float q)
{
    const float f = 2.0f * std::sin(std::numbers::pi_v<float> * std::min(centre, 0.2f * kSampleRate) /
                                    static_cast<float>(kSampleRate));
    const float damping = 1.0f / q;
    const float high = input - low - damping * band;
    band += f * high;
    low += f * band;
    return band;
}

int Samples(float seconds)
{
    return static_cast<int>(std::lround(seconds * static_cast<float>(kSampleRate)));
}

float Glide(float a, float b, float t)
{
    return a * std::pow(b / a, std::clamp(t, 0.0f, 1.0f));
}

float Envelope(float t, float attack, float decay)
{
    if (t < 0.0f)
        return 0.0f;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / decay);
}

std::vector<int16_t> Finish(std::vector<float> mix, float peak)
{
    const int fadeIn = std::min(Samples(kFadeIn), static_cast<int>(mix.size()));
    const int fadeOut = std::min(Samples(kFadeOut), static_cast<int>(mix.size()));
    for (int i = 0; i < fadeIn; ++i)
        mix[static_cast<std::size_t>(i)] *= static_cast<float>(i) / static_cast<float>(fadeIn);
    for (int i = 0; i < fadeOut; ++i)
        mix[mix.size() - 1 - static_cast<std::size_t>(i)] *= static_cast<float>(i) / static_cast<float>(fadeOut);

    float loudest = 0.0f;
    for (float value : mix)
        loudest = std::max(loudest, std::fabs(value));
    const float gain = loudest > 0.0f ? peak / loudest : 0.0f;

    std::vector<int16_t> samples;
    samples.reserve(mix.size());
    for (float value : mix) {
        const long scaled = std::lround(std::clamp(value * gain, -1.0f, 1.0f) * 32767.0f);
        samples.push_back(static_cast<int16_t>(scaled));
    }
    return samples;
}

}  // namespace synth
