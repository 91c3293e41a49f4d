// The best game: when the game has saved a high score above the one its session started with,
// the recording so far is kept as best.replay beside the high-score file.
//
// The file is not polled where that can be helped. The game saves its score by renaming a new
// file into place; where the host counts renames (FileWatch), only a frame in which a file was
// renamed arms a look at the file, taken at the next frame whose number is a multiple of
// kCheckInterval (and at the session's end). That is where the recording was cut when the file
// was looked at every kCheckInterval frames, which other systems still do: best.replay stays
// byte for byte what it was, with a look per game saved rather than one every half second.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/Replay.h"

// The high-score file as the game will find it in the working directory: only a regular file
// counts.
struct HighScoreSnapshot {
    bool exists = false;
    std::vector<std::uint8_t> bytes;   // its first kReplayHighScoreBytes bytes
    std::int32_t value = 0;            // the score they hold (0 when fewer than a score's bytes)
};
HighScoreSnapshot ReadHighScoreSnapshot();
// Says, in one line, when the file is not one the game wrote (its size, or a negative score): the
// game still takes its first bytes as the best score, which a player could then never beat.
void WarnIfHighScoreForeign(const HighScoreSnapshot& snapshot);

class CBestGame {
public:
    static constexpr std::int64_t kCheckInterval = 30;

    // The score to beat: the one the session's first game found. Made in the work directory,
    // where it removes what killed runs left of their best.replay replacements.
    explicit CBestGame(std::int32_t startingScore);

    // After each frame: frameNumber frames have run.
    void AfterFrame(std::int64_t frameNumber, const CReplayEncoder& recording);
    // At the session's end.
    void Check(const CReplayEncoder& recording);

private:
    std::int32_t bestSoFar;
    std::uint64_t renamesSeen;
    bool armed = false;
};
