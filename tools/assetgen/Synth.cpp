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
constexpr float kLoudnessWindow = 0.05f;
constexpr float kSoftKnee = 0.8f;   // above this the limiter bends the wave
constexpr float kCeiling = 0.97f;   // and never lets it past this

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

std::vector<int16_t> Finish(std::vector<float> mix, float loudness)
{
    const int fadeIn = std::min(Samples(kFadeIn), static_cast<int>(mix.size()));
    const int fadeOut = std::min(Samples(kFadeOut), static_cast<int>(mix.size()));
    for (int i = 0; i < fadeIn; ++i)
        mix[static_cast<std::size_t>(i)] *= static_cast<float>(i) / static_cast<float>(fadeIn);
    for (int i = 0; i < fadeOut; ++i)
        mix[mix.size() - 1 - static_cast<std::size_t>(i)] *= static_cast<float>(i) / static_cast<float>(fadeOut);

    // Loudness as the ear takes it from a short effect: the loudest 50 ms stretch.
    const std::size_t window = static_cast<std::size_t>(Samples(kLoudnessWindow));
    const std::size_t hop = std::max<std::size_t>(1, window / 5);
    double loudest = 0.0;
    for (std::size_t start = 0; start < mix.size(); start += hop) {
        const std::size_t end = std::min(mix.size(), start + window);
        double sum = 0.0;
        for (std::size_t i = start; i < end; ++i)
            sum += static_cast<double>(mix[i]) * static_cast<double>(mix[i]);
        loudest = std::max(loudest, std::sqrt(sum / static_cast<double>(window)));
    }
    const float gain = loudest > 0.0 ? loudness / static_cast<float>(loudest) : 0.0f;

    std::vector<int16_t> samples;
    samples.reserve(mix.size());
    for (float value : mix) {
        float scaled = value * gain;
        // Peaks above the ceiling are rounded off rather than clipped.
        if (std::fabs(scaled) > kSoftKnee) {
            const float over = (std::fabs(scaled) - kSoftKnee) / (kCeiling - kSoftKnee);
            scaled = std::copysign(kSoftKnee + (kCeiling - kSoftKnee) * std::tanh(over), scaled);
        }
        samples.push_back(static_cast<int16_t>(std::lround(scaled * 32767.0f)));
    }
    return samples;
}

}  // namespace synth
