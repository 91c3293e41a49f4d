// Synthesis of the six sound effects. Every sound has its own fixed noise seed.
#include "Sounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "Synth.h"

namespace sounds {
namespace {

using synth::kSampleRate;

float Time(int i)
{
    return static_cast<float>(i) / static_cast<float>(kSampleRate);
}

}  // namespace

std::vector<int16_t> AmmoUp()
{
    // C major climbing two octaves; each note a bright pulse with a quick pluck.
    constexpr std::array<float, 5> kNotes = {523.25f, 659.25f, 783.99f, 1046.5f, 1318.5f};
    constexpr float kStep = 0.055f;
    constexpr float kTail = 0.16f;
    const int length = synth::Samples(kStep * static_cast<float>(kNotes.size() - 1) + kTail);
    std::vector<float> mix(static_cast<std::size_t>(length));
    synth::CPulse lead;
    synth::CPulse echo;
    for (int i = 0; i < length; ++i) {
        const float t = Time(i);
        const std::size_t note = std::min(static_cast<std::size_t>(t / kStep), kNotes.size() - 1);
        const float noteTime = t - static_cast<float>(note) * kStep;
        const float decay = note + 1 == kNotes.size() ? 0.07f : 0.04f;
        const float env = synth::Envelope(noteTime, 0.003f, decay);
        const float frequency = kNotes[note];
        mix[static_cast<std::size_t>(i)] = env * (0.8f * lead.Next(frequency, 0.25f) +
                                                  0.25f * echo.Next(frequency * 2.0f, 0.5f));
    }
    return synth::Finish(mix, 0.26f);
}

std::vector<int16_t> Explosion()
{
    constexpr float kLength = 0.75f;
    const int length = synth::Samples(kLength);
    std::vector<float> mix(static_cast<std::size_t>(length));
    synth::CNoise noise(0x5eed0001u);
    synth::CLowPass roar;
    synth::CLowPass rumble;
    synth::CTriangle thump;
    float held = 0.0f;
    int holdLeft = 0;
    for (int i = 0; i < length; ++i) {
        const float t = Time(i);
        const float u = t / kLength;
        // Sample-and-hold noise whose rate falls: the crunchy crackle of an arcade blast.
        if (--holdLeft <= 0) {
            held = noise.Next();
            holdLeft = 1 + static_cast<int>(u * 10.0f);
        }
        const float crackle = roar.Next(held, synth::Glide(5000.0f, 300.0f, u));
        const float body = rumble.Next(noise.Next(), 220.0f) * 3.0f;
        const float boom = thump.Next(synth::Glide(90.0f, 38.0f, u * 2.5f)) * synth::Envelope(t, 0.002f, 0.09f);
        const float env = synth::Envelope(t, 0.003f, 0.17f);
        mix[static_cast<std::size_t>(i)] = env * (0.9f * crackle + 0.7f * body) + 0.8f * boom;
    }
    return synth::Finish(mix, 0.38f);
}

std::vector<int16_t> Shoot()
{
    constexpr float kLength = 0.17f;
    const int length = synth::Samples(kLength);
    std::vector<float> mix(static_cast<std::size_t>(length));
    synth::CPulse zap;
    synth::CPulse sub;
    synth::CNoise noise(0x5eed0002u);
    for (int i = 0; i < length; ++i) {
        const float t = Time(i);
        const float u = t / kLength;
        const float frequency = synth::Glide(1500.0f, 180.0f, u);
        const float env = synth::Envelope(t, 0.002f, 0.05f);
        const float click = t < 0.012f ? noise.Next() * (1.0f - t / 0.012f) : 0.0f;
        mix[static_cast<std::size_t>(i)] =
            env * (0.7f * zap.Next(frequency, 0.5f - 0.35f * u) + 0.3f * sub.Next(frequency * 0.5f, 0.5f)) +
            0.5f * click;
    }
    return synth::Finish(mix, 0.24f);
}

std::vector<int16_t> Fireball()
{
    constexpr float kLength = 0.5f;
    const int length = synth::Samples(kLength);
    std::vector<float> mix(static_cast<std::size_t>(length));
    synth::CNoise noise(0x5eed0003u);
    synth::CBandPass whoosh;
    synth::CLowPass rumble;
    for (int i = 0; i < length; ++i) {
        const float t = Time(i);
        const float u = t / kLength;
        // The band sweeps up as the ball is thrown and sinks as it falls away.
        const float centre = u < 0.3f ? synth::Glide(350.0f, 1700.0f, u / 0.3f)
                                      : synth::Glide(1700.0f, 450.0f, (u - 0.3f) / 0.7f);
        const float swell = u < 0.25f ? u / 0.25f : std::exp(-(u - 0.25f) * 4.0f);
        const float input = noise.Next();
        const float air = whoosh.Next(input, centre, 3.0f);
        const float low = rumble.Next(input, 160.0f) * 2.5f;
        mix[static_cast<std::size_t>(i)] = swell * (air + 0.5f * low);
    }
    return synth::Finish(mix, 0.16f);
}

std::vector<int16_t> Hurt()
{
    constexpr float kLength = 0.38f;
    const int length = synth::Samples(kLength);
    std::vector<float> mix(static_cast<std::size_t>(length));
    synth::CPulse voice;
    synth::CPulse buzz;
    for (int i = 0; i < length; ++i) {
        const float t = Time(i);
        const float u = t / kLength;
        const float wobble = 1.0f + 0.06f * std::sin(2.0f * std::numbers::pi_v<float> * 28.0f * t);
        const float frequency = synth::Glide(560.0f, 120.0f, u) * wobble;
        const float env = u < 0.04f ? u / 0.04f : 1.0f - 0.7f * u;
        mix[static_cast<std::size_t>(i)] =
            env * (0.7f * voice.Next(frequency, 0.5f) + 0.3f * buzz.Next(frequency * 1.01f, 0.125f));
    }
    return synth::Finish(mix, 0.32f);
}

std::vector<int16_t> Jump()
{
    constexpr float kLength = 0.2f;
    const int length = synth::Samples(kLength);
    std::vector<float> mix(static_cast<std::size_t>(length));
    synth::CPulse voice;
    for (int i = 0; i < length; ++i) {
        const float t = Time(i);
        const float u = t / kLength;
        const float frequency = synth::Glide(240.0f, 760.0f, std::sqrt(u));
        const float env = u < 0.05f ? u / 0.05f : 1.0f - u * u;
        mix[static_cast<std::size_t>(i)] = env * voice.Next(frequency, 0.35f);
    }
    return synth::Finish(mix, 0.25f);
}

}  // namespace sounds
