// A replay plays in a directory of its own holding the high-score file as the recorded game
// found it, so that it reads what the recorded game read and leaves the player's file alone.
#pragma once

#include <filesystem>
#include <string>

#include "formats/Replay.h"

class CReplayDirectory {
public:
    CReplayDirectory() = default;
    CReplayDirectory(const CReplayDirectory&) = delete;
    CReplayDirectory& operator=(const CReplayDirectory&) = delete;
    ~CReplayDirectory() { Leave(); }

    // Makes the directory, with the recorded high-score file, and enters it; false with why.
    bool Enter(const ReplayHeader& header, std::string& error);
    // Goes back where the replay started and removes its directory.
    void Leave();
    // The directory, while entered.
    const std::filesystem::path& Path() const { return directory; }

private:
    std::filesystem::path previous;
    std::filesystem::path directory;
};
