// What `vantor --verify` says about a replay: whether it played to its end exactly as recorded,
// with the same rules as this game, and the scores it holds. One line of words, or one JSON object.
#pragma once

#include <cstdint>
#include <string>

#include "session/Playback.h"

struct VerifyFacts {
    std::string refusal;               // why the replay could not be played; empty when it was
    std::uint32_t formatVersion = 0;
    std::string hostVersion;           // as the file has it: shown escaped
    std::uint64_t fingerprint = 0;     // the replay's
    std::uint64_t gameFingerprint = 0; // this game's, of the same kind
    std::int64_t frames = 0;           // recorded
    double gameSeconds = 0.0;
    std::int64_t games = 0;            // the first start and every Retry
    PlaybackOutcome outcome;
};

// Played whole, never going its own way, with the same rules: the scores in it are the game's.
bool Valid(const VerifyFacts& facts);
std::string VerifyLine(const VerifyFacts& facts);
std::string VerifyJson(const VerifyFacts& facts);
