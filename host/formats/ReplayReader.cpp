// Replay reading: the whole file checked first, then frames decoded as they are played.
#include "formats/ReplayReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "formats/ReplayRecords.h"

using namespace ReplayRecords;

namespace {

// Reads what the encoder wrote; every read checks that the bytes are there.
class CReader {
public:
    CReader(const std::uint8_t* bytes, std::size_t count, std::size_t from = 0)
        : data(bytes), size(count), position(from)
    {
    }

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
    // The next byte without taking it; false at the end.
    bool Peek(std::uint8_t& value) const
    {
        if (position == size) {
            return false;
        }
        value = data[position];
        return true;
    }
    std::size_t Position() const { return position; }
    std::size_t Left() const { return size - position; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

std::string SecondsText(float seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(seconds));
    return text;
}

// A name as an input plug-in posts it: 1 to 255 printable characters.
bool PrintableName(const char* name, std::size_t length)
{
    return length > 0 && std::all_of(name, name + length, [](char c) { return c >= 0x20 && c < 0x7F; });
}

// One frame record after its kind byte, into frame; false with the fault in words.
bool ReadFrame(CReader& reader, ReplayFrame& frame, std::string& fault)
{
    std::uint64_t dtBits = 0;
    std::uint8_t flags = 0;
    std::uint8_t count = 0;
    if (!reader.Little(dtBits, 4) || !reader.U8(flags) || !reader.U8(count)) {
        fault = "the record is cut short";
        return false;
    }
    frame.dt = FloatFromBits(static_cast<std::uint32_t>(dtBits));
    frame.hostPaused = (flags & kHostPausedFlag) != 0;
    if ((flags & ~kHostPausedFlag) != 0) {
        fault = "it has flags no host sets";
        return false;
    }
    // Written as a negated range check so that NaN fails it too.
    if (!(frame.dt >= 0.0f && frame.dt <= kLongestFrameTime)) {
        fault = "its frame time (" + SecondsText(frame.dt) + " s) is not one a host makes (0 to " +
                SecondsText(kLongestFrameTime) + " s)";
        return false;
    }
    frame.input.actions.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        ActionRecord& action = frame.input.actions[i];
        std::uint8_t length = 0;
        std::uint64_t valueBits = 0;
        action = ActionRecord{};
        if (!reader.U8(length) || !reader.Bytes(action.name, length) || !reader.Little(valueBits, 4)) {
            fault = "the record is cut short";
            return false;
        }
        if (!PrintableName(action.name, length)) {
            fault = "its action " + std::to_string(i + 1) + " has a name no input plug-in posts";
            return false;
        }
        action.value = FloatFromBits(static_cast<std::uint32_t>(valueBits));
        if (!std::isfinite(action.value)) {
            fault = "its action \"" + std::string(action.name) + "\" has a value that is not a number";
            return false;
        }
    }
    return true;
}

// The clock records that follow, into readings; false when one is cut short.
bool ReadClockReadings(CReader& reader, std::vector<std::int64_t>& readings)
{
    readings.clear();
    std::uint8_t kind = 0;
    while (reader.Peek(kind) && kind == kClockRecord) {
        std::uint64_t reading = 0;
        reader.U8(kind);
        if (!reader.Little(reading, 8)) {
            return false;
        }
        readings.push_back(static_cast<std::int64_t>(reading));
    }
    return true;
}

// The header after the format version; false when it is damaged.
bool ReadHeader(CReader& reader, ReplayHeader& header)
{
    std::uint64_t length = 0;
    std::uint8_t exists = 0;
    std::uint8_t highScoreLength = 0;
    if (!reader.Little(length, 2) || reader.Left() < length) {
        return false;
    }
    header.hostVersion.resize(static_cast<std::size_t>(length));   // within the bytes left
    reader.Bytes(header.hostVersion.data(), static_cast<std::size_t>(length));
    if (!reader.Little(header.fingerprint, 8) || !reader.U8(exists) || exists > 1 ||
        !reader.U8(highScoreLength) || highScoreLength > kReplayHighScoreBytes ||
        (exists == 0 && highScoreLength != 0)) {
        return false;
    }
    header.highScoreExists = exists == 1;
    header.highScoreBytes.resize(highScoreLength);
    return reader.Bytes(header.highScoreBytes.data(), highScoreLength);
}

}  // namespace

bool CReplayReader::Open(std::vector<std::uint8_t> given, std::string& error)
{
    *this = CReplayReader{};
    bytes = std::move(given);
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = "not a Vantor replay";
        return false;
    }
    CReader reader(bytes.data(), bytes.size(), sizeof kMagic);
    std::uint64_t version = 0;
    if (!reader.Little(version, 4)) {
        error = "the replay is cut short (truncated)";
        return false;
    }
    if (version > kReplayFormatVersion || version < kOldestReplayFormat) {
        error = version > kReplayFormatVersion
                    ? "the replay was made by a newer vantor (format " + std::to_string(version) +
                          "; this one reads formats up to " + std::to_string(kReplayFormatVersion) + ")"
                    : "the replay has an unknown format (" + std::to_string(version) + ")";
        return false;
    }
    if (bytes.size() > kLongestReplay) {
        error = "the replay is larger than any vantor records (" + std::to_string(kLongestReplay >> 20) + " MiB)";
        return false;
    }
    // From here on every structural fault is damage or truncation; the checksum tells which
    // files are whole, so check it before trusting any record.
    if (bytes.size() < sizeof kMagic + 4 + kEndSize) {
        error = "the replay is cut short (truncated)";
        return false;
    }
    endAt = bytes.size() - kEndSize;
    CReader end(bytes.data(), bytes.size(), endAt + 1);
    std::uint64_t storedFrames = 0;
    std::uint64_t storedChecksum = 0;
    end.Little(storedFrames, 8);
    end.Little(storedChecksum, 8);
    if (bytes[endAt] != kEndRecord || Fnv1a64(bytes.data(), endAt) != storedChecksum) {
        error = "the replay is damaged or cut short (its checksum does not match)";
        return false;
    }

    CReader body(bytes.data(), endAt, reader.Position());
    header.formatVersion = static_cast<std::uint32_t>(version);
    if (!ReadHeader(body, header)) {
        error = "the replay's header is damaged";
        return false;
    }
    if (!ReadClockReadings(body, startReadings)) {
        error = "the replay is damaged: a clock reading before the first frame is cut short";
        return false;
    }
    firstFrameAt = body.Position();
    nextAt = firstFrameAt;
    clockReadingCount = static_cast<std::int64_t>(startReadings.size());
    ReplayFrame frame;
    std::string fault;
    for (std::uint8_t kind = 0; body.U8(kind);) {
        if (kind != kFrameRecord) {
            error = "the replay is damaged (an unknown record at byte " + std::to_string(body.Position() - 1) + ")";
            return false;
        }
        if (!ReadFrame(body, frame, fault)) {
            error = "the replay's frame " + std::to_string(frameCount) + " is refused: " + fault;
            return false;
        }
        if (!ReadClockReadings(body, frame.clockReadings)) {
            error = "the replay's frame " + std::to_string(frameCount) +
                    " is refused: a clock reading after it is cut short";
            return false;
        }
        ++frameCount;
        clockReadingCount += static_cast<std::int64_t>(frame.clockReadings.size());
        gameTime += frame.dt;
    }
    if (storedFrames != static_cast<std::uint64_t>(frameCount)) {
        error = "the replay is damaged (its frame count does not match)";
        return false;
    }
    return true;
}

bool CReplayReader::Next(ReplayFrame& frame)
{
    CReader reader(bytes.data(), endAt, nextAt);
    std::uint8_t kind = 0;
    std::string fault;
    // Every record was checked by Open, and the bytes are our own since.
    if (!reader.U8(kind) || !ReadFrame(reader, frame, fault) || !ReadClockReadings(reader, frame.clockReadings)) {
        return false;
    }
    nextAt = reader.Position();
    return true;
}
