// The replay's private directory.
#include "session/ReplayDirectory.h"

#include <fstream>

#include "HighScoreFormat.h"
#include "system/PrivateDirectory.h"

namespace {
// Named for the process, so that the next run removes what a killed one left.
constexpr const char* kPrefix = "vantor-replay-";
}  // namespace

void CReplayDirectory::Leave()
{
    if (!directory.empty()) {
        std::error_code code;
        std::filesystem::current_path(previous, code);
        std::filesystem::remove_all(directory, code);
        directory.clear();
    }
}

bool CReplayDirectory::Enter(const ReplayHeader& header, std::string& error)
{
    std::error_code code;
    previous = std::filesystem::current_path(code);
    const std::filesystem::path base = std::filesystem::temp_directory_path(code);
    if (code) {
        error = "no temporary directory to play the replay in: " + code.message();
        return false;
    }
    RemoveLeftoverDirectories(base, kPrefix);
    if (!MakePrivateDirectory(base, kPrefix, directory, error)) {
        error = "cannot make a directory to play the replay in: " + error;
        return false;
    }
    if (header.highScoreExists) {
        std::ofstream file(directory / kHighScorePath, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(header.highScoreBytes.data()),
                   static_cast<std::streamsize>(header.highScoreBytes.size()));
        if (!file) {
            error = "cannot prepare the replay's high-score file";
            return false;
        }
    }
    std::filesystem::current_path(directory, code);
    if (code) {
        error = "cannot enter the replay's directory: " + code.message();
        return false;
    }
    return true;
}
