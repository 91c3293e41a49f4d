// Finding the rules fingerprint.
#include "session/RulesFingerprint.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "GameRulesFingerprint.h"
#include "formats/Replay.h"
#include "system/HostFiles.h"
#include "system/PluginLibrary.h"

namespace {

// Larger than any game module, sanitized debug builds included.
constexpr std::size_t kLargestModule = std::size_t{512} << 20;
constexpr std::string_view kStampMarker = "VantorRulesFingerprint=";
constexpr std::size_t kDigits = 16;

int HexDigit(std::uint8_t c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The module file's bytes; empty when it cannot be read.
std::vector<std::uint8_t> ModuleBytes(const std::filesystem::path& moduleFile)
{
    std::vector<std::uint8_t> bytes;
    std::string ignored;
    if (!ReadWholeFile(moduleFile, kLargestModule, bytes, ignored)) {
        bytes.clear();
    }
    return bytes;
}

}  // namespace

std::uint64_t ModuleFileFingerprint(const std::filesystem::path& moduleFile)
{
    const std::vector<std::uint8_t> bytes = ModuleBytes(moduleFile);
    return bytes.empty() ? 0 : Fnv1a64(bytes.data(), bytes.size());
}

std::uint64_t RulesFingerprintOfModule(const std::filesystem::path& moduleFile)
{
    const std::vector<std::uint8_t> bytes = ModuleBytes(moduleFile);
    for (auto at = bytes.begin();;) {
        at = std::search(at, bytes.end(), kStampMarker.begin(), kStampMarker.end());
        if (at == bytes.end()) {
            return 0;
        }
        at += static_cast<std::ptrdiff_t>(kStampMarker.size());
        std::uint64_t fingerprint = 0;
        std::size_t digits = 0;
        for (; digits < kDigits && at + static_cast<std::ptrdiff_t>(digits) != bytes.end(); ++digits) {
            const int digit = HexDigit(at[static_cast<std::ptrdiff_t>(digits)]);
            if (digit < 0) {
                break;
            }
            fingerprint = (fingerprint << 4) | static_cast<std::uint64_t>(digit);
        }
        if (digits == kDigits) {
            return fingerprint;
        }
    }
}

std::uint64_t RulesFingerprintOfGame(const std::filesystem::path& moduleFile)
{
    return CPluginLibrary::kLinkedIn ? VANTOR_RULES_FINGERPRINT : RulesFingerprintOfModule(moduleFile);
}

std::string FingerprintText(std::uint64_t fingerprint)
{
    char text[kDigits + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fingerprint));
    return text;
}
