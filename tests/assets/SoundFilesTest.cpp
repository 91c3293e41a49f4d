// The generated sounds: each loads in SDL2 as 16-bit mono PCM, is short, audible, free of
// clipping and clicks, and moves the way its event asks (a jump rises, a hit falls).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "AssetTestSupport.h"

using namespace assettest;

namespace {

const char* const kSounds[] = {"ammoup.wav", "explosion.wav", "shoot.wav", "fireball.wav", "hurt.wav", "jump.wav"};

struct Sound {
    bool loaded = false;
    SDL_AudioSpec spec{};
    std::vector<int16_t> samples;
    double Seconds() const { return static_cast<double>(samples.size()) / spec.freq; }
};

Sound LoadSound(const std::string& name)
{
    Sound sound;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(SoundPath(name).string().c_str(), &sound.spec, &buffer, &length) == nullptr)
        return sound;
    sound.loaded = true;
    if (sound.spec.format == AUDIO_S16LSB) {
        for (Uint32 i = 0; i + 1 < length; i += 2)
            sound.samples.push_back(static_cast<int16_t>(buffer[i] | (buffer[i + 1] << 8)));
    }
    SDL_FreeWAV(buffer);
    return sound;
}

// Sign changes per second over [from, to) as shares of the sound: a measure of pitch.
double CrossingRate(const Sound& s, double from, double to)
{
    const std::size_t a = static_cast<std::size_t>(from * static_cast<double>(s.samples.size()));
    const std::size_t b = static_cast<std::size_t>(to * static_cast<double>(s.samples.size()));
    int crossings = 0;
    for (std::size_t i = a + 1; i < b; ++i)
        crossings += (s.samples[i - 1] < 0) != (s.samples[i] < 0) ? 1 : 0;
    return crossings / (static_cast<double>(b - a) / s.spec.freq);
}

double Rms(const Sound& s, double from, double to)
{
    const std::size_t a = static_cast<std::size_t>(from * static_cast<double>(s.samples.size()));
    const std::size_t b = static_cast<std::size_t>(to * static_cast<double>(s.samples.size()));
    double sum = 0.0;
    for (std::size_t i = a; i < b; ++i)
        sum += static_cast<double>(s.samples[i]) * s.samples[i];
    return std::sqrt(sum / static_cast<double>(b - a));
}

}  // namespace

TEST(AssetSounds, EverySoundLoadsInSdlAsShort16BitMonoPcm)
{
    for (const char* name : kSounds) {
        SCOPED_TRACE(name);
        const Sound s = LoadSound(name);
        ASSERT_TRUE(s.loaded) << SDL_GetError();
        EXPECT_EQ(s.spec.format, AUDIO_S16LSB);
        EXPECT_EQ(s.spec.channels, 1);
        EXPECT_TRUE(s.spec.freq == 22050 || s.spec.freq == 44100) << s.spec.freq;
        EXPECT_GE(s.Seconds(), 0.08);
        EXPECT_LE(s.Seconds(), 1.0) << "effects stay short";
    }
}

TEST(AssetSounds, SoundsAreAudibleWithoutClippingOrClicks)
{
    for (const char* name : kSounds) {
        SCOPED_TRACE(name);
        const Sound s = LoadSound(name);
        ASSERT_FALSE(s.samples.empty());
        int clipped = 0;
        for (int16_t v : s.samples)
            clipped += std::abs(static_cast<int>(v)) >= 32767 ? 1 : 0;
        // Loudness of the loudest 50 ms, which is what the ear takes from a short effect.
        double loudest = 0.0;
        const double window = 0.05 / s.Seconds();
        for (double from = 0.0; from + window <= 1.0; from += window / 4)
            loudest = std::max(loudest, Rms(s, from, from + window));
        EXPECT_GE(loudest, 0.1 * 32767) << "too quiet";
        EXPECT_LE(loudest, 0.5 * 32767) << "too loud beside the others";
        EXPECT_EQ(clipped, 0);
        EXPECT_LT(std::abs(static_cast<int>(s.samples.front())), 500) << "starts with a click";
        EXPECT_LT(std::abs(static_cast<int>(s.samples.back())), 500) << "ends with a click";
    }
}

TEST(AssetSounds, PitchMovesTheWayEachEventAsks)
{
    const Sound jump = LoadSound("jump.wav");
    const Sound ammo = LoadSound("ammoup.wav");
    const Sound hurt = LoadSound("hurt.wav");
    const Sound shoot = LoadSound("shoot.wav");
    ASSERT_FALSE(jump.samples.empty() || ammo.samples.empty() || hurt.samples.empty() || shoot.samples.empty());
    EXPECT_GT(CrossingRate(jump, 0.6, 0.9), 1.5 * CrossingRate(jump, 0.05, 0.35)) << "a jump rises";
    EXPECT_GT(CrossingRate(ammo, 0.55, 0.75), 1.3 * CrossingRate(ammo, 0.0, 0.2)) << "the arpeggio climbs";
    EXPECT_GT(CrossingRate(hurt, 0.05, 0.35), 1.5 * CrossingRate(hurt, 0.6, 0.9)) << "a hit falls";
    EXPECT_GT(CrossingRate(shoot, 0.0, 0.3), 1.5 * CrossingRate(shoot, 0.5, 0.8)) << "a zap falls";
}

TEST(AssetSounds, NoiseSoundsSwellAndDie)
{
    const Sound explosion = LoadSound("explosion.wav");
    const Sound fireball = LoadSound("fireball.wav");
    ASSERT_FALSE(explosion.samples.empty() || fireball.samples.empty());
    EXPECT_GT(Rms(explosion, 0.0, 0.2), 3.0 * Rms(explosion, 0.8, 1.0)) << "a blast decays";
    EXPECT_GT(Rms(fireball, 0.2, 0.4), 1.5 * Rms(fireball, 0.0, 0.08)) << "a whoosh swells";
    EXPECT_GT(Rms(fireball, 0.2, 0.4), 1.5 * Rms(fireball, 0.85, 1.0)) << "and fades";
    // Noise, not a tone: it crosses zero often and unevenly.
    EXPECT_GT(CrossingRate(explosion, 0.0, 0.3), 400.0);
}
