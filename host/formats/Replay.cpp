// Replay encoding, and the small helpers every reader of replays shares.
#include "formats/Replay.h"

#include <algorithm>
#include <cstdio>

#include "formats/ReplayRecords.h"

using namespace ReplayRecords;

namespace {

void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value)
{
    out.push_back(value);
}

// Byte by byte: GCC 12 at -O3 takes a range insert into a fresh vector for an overflow.
void PutBytes(std::vector<std::uint8_t>& out, const void* bytes, std::size_t count)
{
    const auto* from = static_cast<const std::uint8_t*>(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(from[i]);
    }
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

std::uint64_t Fnv1a64(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash)
{
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

std::string PrintableText(const std::string& text)
{
    std::string shown;
    for (const char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            shown.push_back(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            shown.append(escaped);
        }
    }
    return shown;
}

CReplayEncoder::CReplayEncoder(const ReplayHeader& header)
{
    PutBytes(bytes, kMagic, sizeof kMagic);
    PutLittle(bytes, kReplayFormatVersion, 4);
    const std::size_t versionLength = std::min<std::size_t>(header.hostVersion.size(), 0xFFFF);
    PutLittle(bytes, versionLength, 2);
    PutBytes(bytes, header.hostVersion.data(), versionLength);
    PutLittle(bytes, header.fingerprint, 8);
    const std::size_t kept = header.highScoreExists ? std::min(header.highScoreBytes.size(), kReplayHighScoreBytes) : 0;
    PutU8(bytes, header.highScoreExists ? 1 : 0);
    PutU8(bytes, static_cast<std::uint8_t>(kept));
    PutBytes(bytes, header.highScoreBytes.data(), kept);
}

bool CReplayEncoder::Fits(std::size_t count)
{
    full = full || bytes.size() + count + kEndSize > kLongestReplay;
    return !full;
}

void CReplayEncoder::AddClockReading(std::int64_t reading)
{
    if (!Fits(1 + 8)) {
        return;
    }
    PutU8(bytes, kClockRecord);
    PutLittle(bytes, static_cast<std::uint64_t>(reading), 8);
}

void CReplayEncoder::AddFrame(float dt, bool hostPaused, const FrameInput& input)
{
    // A poll posts one action per held key or direction, far below 255; more would be a fault of
    // the plug-in, and only the first 255 are kept.
    const std::size_t count = std::min<std::size_t>(input.actions.size(), 255);
    if (!Fits(1 + 4 + 1 + 1 + count * (1 + 255 + 4))) {
        return;
    }
    PutU8(bytes, kFrameRecord);
    PutLittle(bytes, BitsOfFloat(dt), 4);
    PutU8(bytes, hostPaused ? kHostPausedFlag : 0);
    PutU8(bytes, static_cast<std::uint8_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const ActionRecord& action = input.actions[i];
        const std::size_t length = static_cast<std::size_t>(
            std::find(action.name, action.name + sizeof action.name - 1, '\0') - action.name);
        PutU8(bytes, static_cast<std::uint8_t>(length));
        PutBytes(bytes, action.name, length);
        PutLittle(bytes, BitsOfFloat(action.value), 4);
    }
    ++frames;
}

std::vector<std::uint8_t> ReplayEndRecord(const std::vector<std::uint8_t>& recording, std::uint64_t frames)
{
    std::vector<std::uint8_t> end;
    PutU8(end, kEndRecord);
    PutLittle(end, frames, 8);
    PutLittle(end, Fnv1a64(recording.data(), recording.size()), 8);
    return end;
}

std::vector<std::uint8_t> CReplayEncoder::End() const
{
    return ReplayEndRecord(bytes, static_cast<std::uint64_t>(frames));
}
