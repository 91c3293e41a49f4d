// The sound face of the recording host: records every call and passes it on to the host's own
// sound service, whose handles and unload rule are the ones the plug-in sees.
#pragma once

#include <string>
#include <vector>

#include "RecordedHandles.h"
#include "VantorEngine.h"

class CSoundService;

class RecordingSound final : public CVantorSound {
public:
    RecordingSound(CSoundService& real, std::vector<std::string>& log);

    int LoadSound(const char* path) override;
    void PlaySound(int sound) override;
    void UnloadSounds() override;

    int SoundHandle(const std::string& path) const { return handles.LoadedHandleOf(path); }

    std::vector<std::string> played;   // what every PlaySound played (the log's words), in order
    int unloads = 0;

private:
    CSoundService& real;
    std::vector<std::string>& log;
    RecordedHandles handles;
};
