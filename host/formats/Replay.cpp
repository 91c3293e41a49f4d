// Replay encoding and decoding.
#include "formats/Replay.h"

#include <algorithm>
#include <cstring>

namespace {

// A float's bits and back (std::bit_cast, which the web build's C++ library lacks).
std::uint32_t BitsOfFloat(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float FloatFromBits(std::uint32_t bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

constexpr char kMagic[8] = {'V', 'N', 'T', 'R', 'P', 'L', 'A', 'Y'};
constexpr std::uint8_t kClockRecord = 'K';
constexpr std::uint8_t kFrameRecord = 'F';
constexpr std::uint8_t kEndRecord = 'E';
constexpr std::uint8_t kHostPausedFlag = 1;
constexpr std::size_t kEndSize = 1 + 8 + 8;

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

// Reads what the encoder wrote; every read checks that the bytes are there.
class CReader {
public:
    CReader(const std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) {}

    bool Little(std::uint64_t& value, int count)
    {
        if (size - position < static_cast<std::size_t>(count)) {
            return false;
        }
        value = 0;
        for (int i = 0; i < count; ++i) {
            value |= static_cast<std::uint64_t>(data[position++]) << (8 * i);
        }
        return true;
    }
    bool U8(std::uint8_t& value)
    {
        std::uint64_t wide = 0;
        const bool ok = Little(wide, 1);
        value = static_cast<std::uint8_t>(wide);
        return ok;
    }
    bool Bytes(void* into, std::size_t count)
    {
        if (size - position < count) {
            return false;
        }
        if (count == 0) {
            return true;   // into may be the null data() of an empty buffer
        }
        std::memcpy(into, data + position, count);
        position += count;
        return true;
    }
    std::size_t Position() const { return position; }
    std::size_t Left() const { return size - position; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

bool ReadFrame(CReader& reader, ReplayFrame& frame)
{
    std::uint64_t dtBits = 0;
    std::uint8_t flags = 0;
    std::uint8_t count = 0;
    if (!reader.Little(dtBits, 4) || !reader.U8(flags) || !reader.U8(count)) {
        return false;
    }
    frame.dt = FloatFromBits(static_cast<std::uint32_t>(dtBits));
    frame.hostPaused = (flags & kHostPausedFlag) != 0;
    frame.input.actions.resize(count);
    for (ActionRecord& action : frame.input.actions) {
        std::uint8_t length = 0;
        std::uint64_t valueBits = 0;
        action = ActionRecord{};
        if (!reader.U8(length) || !reader.Bytes(action.name, length) ||
            std::memchr(action.name, 0, length) != nullptr || !reader.Little(valueBits, 4)) {
            return false;
        }
        action.value = FloatFromBits(static_cast<std::uint32_t>(valueBits));
    }
    return (flags & ~kHostPausedFlag) == 0;
}

}  // namespace

std::uint64_t Fnv1a64(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash)
{
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

bool DecodeReplay(const std::vector<std::uint8_t>& bytes, Replay& replay, std::string& error)
{
    replay = Replay{};
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = "not a Vantor replay";
        return false;
    }
    CReader reader(bytes.data() + sizeof kMagic, bytes.size() - sizeof kMagic);
    std::uint64_t version = 0;
    if (!reader.Little(version, 4)) {
        error = "the replay is cut short (truncated)";
        return false;
    }
    if (version != kReplayFormatVersion) {
        error = version > kReplayFormatVersion
                    ? "the replay was made by a newer vantor (format " + std::to_string(version) +
                          "; this one reads format " + std::to_string(kReplayFormatVersion) + ")"
                    : "the replay has an unknown format (" + std::to_string(version) + ")";
        return false;
    }
    // From here on every structural fault is damage or truncation; the checksum tells which
    // files are whole, so check it before trusting any record.
    if (bytes.size() < sizeof kMagic + 4 + kEndSize) {
        error = "the replay is cut short (truncated)";
        return false;
    }
    const std::size_t endAt = bytes.size() - kEndSize;
    const std::uint8_t* end = bytes.data() + endAt;
    std::uint64_t storedFrames = 0;
    std::uint64_t storedChecksum = 0;
    for (int i = 0; i < 8; ++i) {
        storedFrames |= static_cast<std::uint64_t>(end[1 + i]) << (8 * i);
        storedChecksum |= static_cast<std::uint64_t>(end[9 + i]) << (8 * i);
    }
    if (end[0] != kEndRecord || Fnv1a64(bytes.data(), endAt) != storedChecksum) {
        error = "the replay is damaged or cut short (its checksum does not match)";
        return false;
    }

    CReader body(bytes.data() + sizeof kMagic + 4, endAt - sizeof kMagic - 4);
    ReplayHeader& header = replay.header;
    header.formatVersion = static_cast<std::uint32_t>(version);
    std::uint64_t length = 0;
    std::uint64_t fingerprint = 0;
    std::uint8_t exists = 0;
    std::uint8_t highScoreLength = 0;
    if (!body.Little(length, 2) || body.Left() < length) {
        error = "the replay's header is damaged";
        return false;
    }
    header.hostVersion.resize(static_cast<std::size_t>(length));   // within the bytes left
    body.Bytes(header.hostVersion.data(), static_cast<std::size_t>(length));
    if (!body.Little(fingerprint, 8) || !body.U8(exists) || exists > 1 || !body.U8(highScoreLength) ||
        highScoreLength > kReplayHighScoreBytes || (exists == 0 && highScoreLength != 0)) {
        error = "the replay's header is damaged";
        return false;
    }
    header.moduleFingerprint = fingerprint;
    header.highScoreExists = exists == 1;
    header.highScoreBytes.resize(highScoreLength);
    if (!body.Bytes(header.highScoreBytes.data(), highScoreLength)) {
        error = "the replay's header is damaged";
        return false;
    }

    while (body.Left() > 0) {
        std::uint8_t kind = 0;
        body.U8(kind);
        if (kind == kClockRecord) {
            std::uint64_t reading = 0;
            if (!body.Little(reading, 8)) {
                break;
            }
            (replay.frames.empty() ? replay.startReadings : replay.frames.back().clockReadings)
                .push_back(static_cast<std::int64_t>(reading));
        } else if (kind == kFrameRecord) {
            ReplayFrame frame;
            if (!ReadFrame(body, frame)) {
                error = "the replay's frame " + std::to_string(replay.frames.size()) + " is damaged";
                return false;
            }
            replay.frames.push_back(std::move(frame));
        } else {
            error = "the replay is damaged (an unknown record at byte " +
                    std::to_string(sizeof kMagic + 4 + body.Position() - 1) + ")";
            return false;
        }
    }
    if (body.Left() != 0 || storedFrames != replay.frames.size()) {
        error = "the replay is damaged (its frame count does not match)";
        return false;
    }
    return true;
}

CReplayEncoder::CReplayEncoder(const ReplayHeader& header)
{
    PutBytes(bytes, kMagic, sizeof kMagic);
    PutLittle(bytes, kReplayFormatVersion, 4);
    const std::size_t versionLength = std::min<std::size_t>(header.hostVersion.size(), 0xFFFF);
    PutLittle(bytes, versionLength, 2);
    PutBytes(bytes, header.hostVersion.data(), versionLength);
    PutLittle(bytes, header.moduleFingerprint, 8);
    const std::size_t kept = header.highScoreExists ? std::min(header.highScoreBytes.size(), kReplayHighScoreBytes) : 0;
    PutU8(bytes, header.highScoreExists ? 1 : 0);
    PutU8(bytes, static_cast<std::uint8_t>(kept));
    PutBytes(bytes, header.highScoreBytes.data(), kept);
}

void CReplayEncoder::AddClockReading(std::int64_t reading)
{
    PutU8(bytes, kClockRecord);
    PutLittle(bytes, static_cast<std::uint64_t>(reading), 8);
}

void CReplayEncoder::AddFrame(float dt, bool hostPaused, const FrameInput& input)
{
    PutU8(bytes, kFrameRecord);
    PutLittle(bytes, BitsOfFloat(dt), 4);
    PutU8(bytes, hostPaused ? kHostPausedFlag : 0);
    // A poll posts one action per held key or direction, far below 255; more would be a fault of
    // the plug-in, and only the first 255 are kept.
    const std::size_t count = std::min<std::size_t>(input.actions.size(), 255);
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

std::vector<std::uint8_t> CReplayEncoder::End() const
{
    std::vector<std::uint8_t> end;
    PutU8(end, kEndRecord);
    PutLittle(end, static_cast<std::uint64_t>(frames), 8);
    PutLittle(end, Fnv1a64(bytes.data(), bytes.size()), 8);
    return end;
}
