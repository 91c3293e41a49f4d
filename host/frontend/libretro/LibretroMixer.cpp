// The core's deterministic mixer.
#include "frontend/libretro/LibretroMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/SoundHeadroom.h"

namespace {

// One sample of the sound (frame, channel) as -1..1.
float SampleAt(const PcmSound& sound, std::size_t frame, int channel)
{
    const int bytes = sound.bitsPerSample / 8;
    const std::size_t offset = (frame * static_cast<std::size_t>(sound.channels) + static_cast<std::size_t>(channel)) *
                               static_cast<std::size_t>(bytes);
    if (sound.isFloat) {
        float value;
        std::memcpy(&value, &sound.samples[offset], sizeof value);
        return std::isfinite(value) ? std::clamp(value, -1.0f, 1.0f) : 0.0f;
    }
    if (bytes == 1) {
        return (static_cast<float>(sound.samples[offset]) - 128.0f) / 128.0f;
    }
    const auto low = static_cast<std::uint16_t>(sound.samples[offset]);
    const auto high = static_cast<std::uint16_t>(sound.samples[offset + 1]);
    return static_cast<float>(static_cast<std::int16_t>(low | (high << 8))) / 32768.0f;
}

// The inverse of SampleAt's 16-bit scale, so that 16-bit sounds at 44100 Hz keep every sample.
std::int16_t ToSample(float value)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
}

}  // namespace

std::vector<std::int16_t> CLibretroMixer::Convert(const PcmSound& sound)
{
    const bool known = sound.bitsPerSample == 8 || sound.bitsPerSample == 16 ||
                       (sound.bitsPerSample == 32 && sound.isFloat);
    if (!known || sound.channels < 1 || sound.sampleRate <= 0) {
        return {};
    }
    const std::size_t frameBytes = static_cast<std::size_t>(sound.channels * sound.bitsPerSample / 8);
    const std::size_t frames = sound.samples.size() / frameBytes;
    if (frames == 0) {
        return {};
    }
    // Linear interpolation between the source frames around each output frame.
    const double step = static_cast<double>(sound.sampleRate) / kRate;
    const auto outFrames = static_cast<std::size_t>(std::ceil(static_cast<double>(frames) / step));
    std::vector<std::int16_t> out(outFrames * 2);
    const int right = sound.channels > 1 ? 1 : 0;
    for (std::size_t i = 0; i < outFrames; ++i) {
        const double at = static_cast<double>(i) * step;
        const auto first = std::min(static_cast<std::size_t>(at), frames - 1);
        const std::size_t second = std::min(first + 1, frames - 1);
        const auto weight = static_cast<float>(at - static_cast<double>(first));
        for (int channel = 0; channel < 2; ++channel) {
            const int source = channel == 0 ? 0 : right;
            const float a = SampleAt(sound, first, source);
            const float b = SampleAt(sound, second, source);
            out[i * 2 + static_cast<std::size_t>(channel)] = ToSample(a + (b - a) * weight);
        }
    }
    return out;
}

bool CLibretroMixer::Add(int handle, const PcmSound& sound)
{
    Clip clip;
    clip.samples = Convert(sound);
    if (clip.samples.empty()) {
        return false;
    }
    clip.peak = SoundHeadroom::Peak(reinterpret_cast<const std::uint8_t*>(clip.samples.data()),
                                    clip.samples.size() * sizeof(std::int16_t));
    // A sound added again under its handle replaces the old one, which nothing may play on from.
    const auto old = clips.find(handle);
    if (old != clips.end()) {
        voices.erase(std::remove_if(voices.begin(), voices.end(),
                                    [&](const Voice& voice) { return voice.clip == &old->second; }),
                     voices.end());
    }
    clips[handle] = std::move(clip);
    return true;
}

void CLibretroMixer::Play(int handle)
{
    const auto found = clips.find(handle);
    if (silenced || found == clips.end() || voices.size() >= kVoices) {
        return;
    }
    voices.push_back({&found->second, 0, SoundHeadroom::kFullVolume});
    long total = 0;
    for (const Voice& voice : voices) {
        total += voice.clip->peak;
    }
    const int volume = SoundHeadroom::Volume(total);
    for (Voice& voice : voices) {
        voice.volume = volume;
    }
}

void CLibretroMixer::RemoveAll()
{
    voices.clear();
    clips.clear();
}

void CLibretroMixer::SetSilenced(bool value)
{
    silenced = value;
    if (silenced) {
        voices.clear();
    }
}

void CLibretroMixer::Mix(std::int16_t* out, std::size_t frames)
{
    sum.assign(frames * 2, 0);
    for (Voice& voice : voices) {
        const std::vector<std::int16_t>& samples = voice.clip->samples;
        const std::size_t left = samples.size() / 2 - voice.position;
        const std::size_t count = std::min(frames, left);
        for (std::size_t i = 0; i < count * 2; ++i) {
            sum[i] += samples[voice.position * 2 + i] * voice.volume / SoundHeadroom::kFullVolume;
        }
        voice.position += count;
    }
    voices.erase(std::remove_if(voices.begin(), voices.end(),
                                [](const Voice& voice) { return voice.position * 2 >= voice.clip->samples.size(); }),
                 voices.end());
    for (std::size_t i = 0; i < frames * 2; ++i) {
        out[i] = static_cast<std::int16_t>(std::clamp(sum[i], std::int32_t{-32768}, std::int32_t{32767}));
    }
}
