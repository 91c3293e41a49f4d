// Keeping the best game's recording.
#include "session/BestGame.h"

#include "DurableReplace.h"
#include "HighScoreFormat.h"
#include "session/HostSession.h"
#include "system/FileWatch.h"
#include "system/HostFiles.h"

namespace {
constexpr const char* kBestReplayFile = "best.replay";
}  // namespace

HighScoreSnapshot ReadHighScoreSnapshot()
{
    HighScoreSnapshot snapshot;
    std::vector<std::uint8_t> bytes;
    if (ReadFilePrefix(kHighScorePath, kReplayHighScoreBytes, bytes)) {
        snapshot.exists = true;
        snapshot.bytes = bytes;
        snapshot.value = bytes.size() >= kHighScoreSize ? DecodeHighScore(bytes.data()) : 0;
    }
    return snapshot;
}

void WarnIfHighScoreForeign(const HighScoreSnapshot& snapshot)
{
    if (!snapshot.exists || (snapshot.bytes.size() == kHighScoreSize && snapshot.value >= 0)) {
        return;
    }
    std::error_code code;
    const auto size = std::filesystem::file_size(kHighScorePath, code);
    const std::string length = code ? std::to_string(snapshot.bytes.size()) : std::to_string(size);
    const std::string what = snapshot.bytes.size() == kHighScoreSize
                                 ? "holds " + std::to_string(snapshot.value) + ", a score the game never writes"
                                 : "is " + length + (length == "1" ? " byte" : " bytes") + ", not the " +
                                       std::to_string(kHighScoreSize) + " the game writes";
    ReportProblem("warning: \"" + std::string(kHighScorePath) + "\" " + what + ": the game will take " +
                  std::to_string(snapshot.value) + " as the best score (delete the file to start again from 0)");
}

CBestGame::CBestGame(std::int32_t startingScore) : bestSoFar(startingScore), renamesSeen(FileWatch::Renames())
{
    // A run killed while it kept its best game leaves its temporary file behind: clear those out.
    RemoveStaleDurableTemps(kBestReplayFile);
}

void CBestGame::AfterFrame(std::int64_t frameNumber, const CReplayEncoder& recording)
{
    const std::uint64_t renames = FileWatch::Renames();
    armed = armed || renames != renamesSeen || !FileWatch::Available();
    renamesSeen = renames;
    if (armed && frameNumber % kCheckInterval == 0) {
        armed = false;
        Check(recording);
    }
}

void CBestGame::Check(const CReplayEncoder& recording)
{
    const HighScoreSnapshot highScore = ReadHighScoreSnapshot();
    if (!highScore.exists || highScore.value <= bestSoFar) {
        return;
    }
    bestSoFar = highScore.value;
    std::vector<std::uint8_t> bytes = recording.Bytes();
    const std::vector<std::uint8_t> end = recording.End();
    bytes.insert(bytes.end(), end.begin(), end.end());
    std::string error;
    if (!WriteFileDurably(kBestReplayFile, bytes, error)) {
        ReportProblem("warning: the best game's replay was not kept: " + error);
    }
}
