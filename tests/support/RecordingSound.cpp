// The recording host's sound face.
#include "RecordingSound.h"

#include "engine/SoundService.h"

RecordingSound::RecordingSound(CSoundService& service, std::vector<std::string>& callLog)
    : real(service), log(callLog), handles([&service](int handle) { return service.Loaded(handle); })
{
}

int RecordingSound::LoadSound(const char* path)
{
    const int handle = real.LoadSound(path);
    const std::string name = path != nullptr ? path : "(null)";
    if (handle >= 0) {
        handles.Keep(handle, name);
    }
    log.push_back("LoadSound " + name + " -> " + std::to_string(handle));
    return handle;
}

void RecordingSound::PlaySound(int sound)
{
    const std::string what = handles.Text(sound);
    log.push_back("PlaySound " + what);
    played.push_back(what);
    real.PlaySound(sound);
}

void RecordingSound::UnloadSounds()
{
    log.push_back("UnloadSounds");
    ++unloads;
    real.UnloadSounds();
}
