// The game's rules fingerprint: a hash of what decides how a recorded game plays (the game
// module's sources and float settings), the same for every system's build of the same sources.
// Replays carry it, so that the warning about a different game module means different rules.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The fingerprint stamped into a game module's file; 0 when the file has no stamp (a module
// from elsewhere) or cannot be read.
std::uint64_t RulesFingerprintOfModule(const std::filesystem::path& moduleFile);
// The fingerprint of the game module this host plays: from its file, or, where the module is
// linked into the program, the one the program was built with.
std::uint64_t RulesFingerprintOfGame(const std::filesystem::path& moduleFile);
// The fingerprint of the module file's bytes, what replays of format 1 recorded; 0 when it cannot
// be read.
std::uint64_t ModuleFileFingerprint(const std::filesystem::path& moduleFile);
// As replays and --verify show it: 16 hexadecimal digits.
std::string FingerprintText(std::uint64_t fingerprint);
