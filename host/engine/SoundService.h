// The sound service the plug-ins see: wave files by handle, played through a sound output. It
// remembers which sounds were started in the current frame, for the trace.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/SoundOutput.h"
#include "VantorEngine.h"

struct AssetLocation;   // engine/AssetFiles.h

class CSoundService final : public CVantorSound {
public:
    using Reporter = std::function<void(const std::string&)>;
    // Where a sound comes from: decoded, or false with the reason. By default the file the
    // location names; a test may hand in sounds of its own, every other rule staying ours.
    using SoundReader = std::function<bool(const AssetLocation& location, PcmSound& sound, std::string& error)>;

    CSoundService(std::filesystem::path dataDirectory, CSoundOutput& output);

    int LoadSound(const char* path) override;
    void PlaySound(int sound) override;
    void UnloadSounds() override;

    void SetLoadReporter(Reporter reporter) { loadReporter = std::move(reporter); }
    void SetOutput(CSoundOutput& newOutput) { output = &newOutput; }
    void SetSoundReader(SoundReader reader) { readSound = std::move(reader); }
    // A handle LoadSound gave out and no UnloadSounds has taken back since.
    bool Loaded(int sound) const { return names.count(sound) != 0; }
    // Names ("sounds/jump.wav") of the sounds started since the last ClearPlayed, in order.
    const std::vector<std::string>& Played() const { return played; }
    void ClearPlayed() { played.clear(); }

private:
    std::filesystem::path dataDirectory;
    CSoundOutput* output;
    SoundReader readSound;
    std::unordered_map<int, std::string> names;
    int nextHandle = 0;
    std::vector<std::string> played;
    Reporter loadReporter;
};
