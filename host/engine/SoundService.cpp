// Sounds by handle.
#include "engine/SoundService.h"

#include <climits>

#include "engine/AssetFiles.h"

namespace {
constexpr std::size_t kMaxSoundFileBytes = 64u * 1024 * 1024;

bool ReadWavFile(const AssetLocation& location, PcmSound& sound, std::string& error)
{
    std::vector<uint8_t> bytes;
    return ReadWholeFile(location.file, kMaxSoundFileBytes, bytes, error) && DecodeWav(bytes, sound, error);
}

}  // namespace

CSoundService::CSoundService(std::filesystem::path directory, CSoundOutput& soundOutput)
    : dataDirectory(std::move(directory)), output(&soundOutput), readSound(ReadWavFile)
{
}

int CSoundService::LoadSound(const char* path)
{
    AssetLocation location;
    std::string error;
    PcmSound sound;
    bool ok = ResolveAsset(dataDirectory, path, location, error) && readSound(location, sound, error);
    if (ok && nextHandle == INT_MAX) {
        error = "too many sounds";
        ok = false;
    }
    if (ok && !output->Add(nextHandle, sound)) {
        error = "the sound device cannot play it";
        ok = false;
    }
    if (!ok) {
        if (loadReporter) {
            loadReporter(LoadFailure(location, error));
        }
        return -1;
    }
    names.emplace(nextHandle, location.name);
    return nextHandle++;
}

void CSoundService::PlaySound(int sound)
{
    const auto found = names.find(sound);
    if (found == names.end()) {
        return;
    }
    output->Play(sound);
    played.push_back(found->second);
}

void CSoundService::UnloadSounds()
{
    output->RemoveAll();
    names.clear();
}
