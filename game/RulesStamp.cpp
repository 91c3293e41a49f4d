// The game's rules fingerprint, kept in the module's file, where a host finds it by its marker:
// the module exports nothing but its factory. Replays name it, so that a replay made on another
// system with the same rules plays without a warning.
#include "GameRulesFingerprint.h"

namespace {
[[gnu::used]] const char kRulesStamp[] = "VantorRulesFingerprint=" VANTOR_RULES_FINGERPRINT_TEXT;
}  // namespace
