// SDL2_mixer sound output.
#include "frontend/sdl/MixerSoundOutput.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/SoundHeadroom.h"
#include "frontend/sdl/SdlDrivers.h"

namespace {
constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;
constexpr int kMixChannels = 16;   // sounds that can play at the same time
static_assert(SoundHeadroom::kFullVolume == MIX_MAX_VOLUME, "the headroom rule's volumes are SDL_mixer's");
}  // namespace

bool CMixerSoundOutput::OpenDevice(std::string& error)
{
    QuietenSoundDriver();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kMixChannels);
    channelPeaks.assign(kMixChannels, 0);
    Mix_QuerySpec(&deviceRate, &deviceFormat, &deviceChannels);
    open = true;
    return true;
}

bool CMixerSoundOutput::Open(std::string& error)
{
    if (OpenDevice(error)) {
        return true;
    }
    // No device: SDL's audio is started again on its dummy driver, so that nothing of it is left
    // half started (Windows' drivers can fail after the subsystem started); the session plays
    // silently. The override beats a driver named in SDL_AUDIODRIVER, which is what failed.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    std::string ignored;
    OpenDevice(ignored);
    return false;
}

CMixerSoundOutput::~CMixerSoundOutput()
{
    Close();
}

void CMixerSoundOutput::Close()
{
    if (open) {
        RemoveAll();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        open = false;
    }
}

bool CMixerSoundOutput::Add(int handle, const PcmSound& sound)
{
    if (!open) {
        return false;
    }
    SDL_AudioFormat format = AUDIO_S16LSB;
    if (sound.bitsPerSample == 8) {
        format = AUDIO_U8;
    } else if (sound.isFloat) {
        format = AUDIO_F32LSB;
    }
    SDL_AudioCVT convert;
    if (SDL_BuildAudioCVT(&convert, format, static_cast<Uint8>(sound.channels), sound.sampleRate,
                          deviceFormat, static_cast<Uint8>(deviceChannels), deviceRate) < 0) {
        return false;
    }
    auto clip = std::make_unique<Clip>();
    const std::size_t length = sound.samples.size();
    const std::size_t growth = static_cast<std::size_t>(convert.len_mult > 0 ? convert.len_mult : 1);
    clip->samples.assign(length * growth, 0);
    if (length > 0) {
        std::memcpy(clip->samples.data(), sound.samples.data(), length);
    }
    if (convert.needed != 0 && length > 0) {
        convert.buf = clip->samples.data();
        convert.len = static_cast<int>(length);
        if (SDL_ConvertAudio(&convert) != 0) {
            return false;
        }
        clip->samples.resize(static_cast<std::size_t>(convert.len_cvt));
    } else {
        clip->samples.resize(length);
    }
    if (clip->samples.empty()) {
        clip->samples.assign(4, 0);   // a silent moment rather than an empty chunk
    }
    if (deviceFormat == AUDIO_S16SYS) {
        clip->peak = SoundHeadroom::Peak(clip->samples.data(), clip->samples.size());
    }
    clip->chunk = Mix_QuickLoad_RAW(clip->samples.data(), static_cast<Uint32>(clip->samples.size()));
    if (clip->chunk == nullptr) {
        return false;
    }
    const auto old = clips.find(handle);
    if (old != clips.end()) {
        Mix_FreeChunk(old->second->chunk);
        clips.erase(old);
    }
    clips.emplace(handle, std::move(clip));
    return true;
}

void CMixerSoundOutput::Play(int handle)
{
    const auto found = clips.find(handle);
    if (muted || found == clips.end()) {
        return;
    }
    const int channel = Mix_PlayChannel(-1, found->second->chunk, 0);   // none free: skipped
    if (channel < 0 || channel >= static_cast<int>(channelPeaks.size())) {
        return;
    }
    channelPeaks[static_cast<std::size_t>(channel)] = found->second->peak;
    long total = 0;
    for (int i = 0; i < static_cast<int>(channelPeaks.size()); ++i) {
        if (Mix_Playing(i) != 0) {
            total += channelPeaks[static_cast<std::size_t>(i)];
        }
    }
    // Every playing sound gets the same volume; a sound that started louder gets quieter, so
    // that the sum of what plays stays within full scale.
    const int volume = SoundHeadroom::Volume(total);
    for (int i = 0; i < static_cast<int>(channelPeaks.size()); ++i) {
        if (Mix_Playing(i) != 0 || i == channel) {
            Mix_Volume(i, volume);
        }
    }
}

void CMixerSoundOutput::SetMuted(bool value)
{
    muted = value;
    if (muted && open) {
        Mix_HaltChannel(-1);
    }
}

void CMixerSoundOutput::RemoveAll()
{
    Mix_HaltChannel(-1);
    for (auto& entry : clips) {
        Mix_FreeChunk(entry.second->chunk);
    }
    clips.clear();
}
