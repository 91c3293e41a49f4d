// The --verify report.
#include "session/VerifyReport.h"

#include <cstdio>

#include "formats/Replay.h"
#include "session/RulesFingerprint.h"
#include "session/TraceWriter.h"

namespace {

bool PlayedToEnd(const VerifyFacts& facts)
{
    return facts.refusal.empty() && facts.outcome.framesPlayed == facts.frames;
}

std::string Seconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

std::string JsonScore(const std::optional<std::int32_t>& score)
{
    return score ? std::to_string(*score) : "null";
}

std::string Boolean(bool value)
{
    return value ? "true" : "false";
}

}  // namespace

bool Valid(const VerifyFacts& facts)
{
    return PlayedToEnd(facts) && !facts.outcome.wentOwnWay && facts.fingerprint == facts.gameFingerprint;
}

std::string VerifyLine(const VerifyFacts& facts)
{
    if (!facts.refusal.empty()) {
        return "not valid: " + facts.refusal;
    }
    std::string line = Valid(facts) ? "valid: " : "not valid: ";
    if (!PlayedToEnd(facts)) {
        line += "it ended after " + std::to_string(facts.outcome.framesPlayed) + " of its " +
                std::to_string(facts.frames) + " frames";
    } else if (facts.outcome.wentOwnWay) {
        line += "it went its own way (the game read the clock more or less often than recorded)";
    } else {
        line += "it plays to its end as recorded";
    }
    line += "; " + std::to_string(facts.frames) + " frames, " + Seconds(facts.gameSeconds) + " s of game time, " +
            std::to_string(facts.games) + (facts.games == 1 ? " game" : " games") + "; rules " +
            FingerprintText(facts.fingerprint);
    line += facts.fingerprint == facts.gameFingerprint ? " (this game's too)"
                                                       : " (this game's are " + FingerprintText(facts.gameFingerprint) + ")";
    const PlaybackOutcome& outcome = facts.outcome;
    line += "; high score " + (outcome.highScoreBefore ? std::to_string(*outcome.highScoreBefore) : "none") +
            " before, " +
            (outcome.highScoreAfter ? std::to_string(*outcome.highScoreAfter) + " written by the game"
                                    : "none written") +
            "; made by vantor " + PrintableText(facts.hostVersion);
    return line;
}

std::string VerifyJson(const VerifyFacts& facts)
{
    const PlaybackOutcome& outcome = facts.outcome;
    std::string json = "{\"valid\":" + Boolean(Valid(facts));
    if (!facts.refusal.empty()) {
        return json + ",\"error\":" + JsonString(facts.refusal) + "}";
    }
    json += ",\"playedToEnd\":" + Boolean(PlayedToEnd(facts)) + ",\"wentOwnWay\":" + Boolean(outcome.wentOwnWay) +
            ",\"rulesFingerprint\":\"" + FingerprintText(facts.fingerprint) + "\"" +
            ",\"sameRules\":" + Boolean(facts.fingerprint == facts.gameFingerprint) +
            ",\"thisGameRules\":\"" + FingerprintText(facts.gameFingerprint) + "\"" +
            ",\"frames\":" + std::to_string(facts.frames) + ",\"framesPlayed\":" + std::to_string(outcome.framesPlayed) +
            ",\"gameSeconds\":" + Seconds(facts.gameSeconds) + ",\"games\":" + std::to_string(facts.games) +
            ",\"highScoreBefore\":" + JsonScore(outcome.highScoreBefore) +
            ",\"highScoreWritten\":" + JsonScore(outcome.highScoreAfter) +
            ",\"formatVersion\":" + std::to_string(facts.formatVersion) +
            ",\"hostVersion\":" + JsonString(PrintableText(facts.hostVersion)) + "}";
    return json;
}
