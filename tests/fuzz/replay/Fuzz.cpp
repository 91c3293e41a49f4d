// Reads any bytes as a replay. The checksum would turn nearly every input away at the door, so an
// input is the frame count the end record claims (2 bytes) then the bytes before the end record,
// which the target seals as the host would. What opens must play back as only values a host
// makes; a refusal must stay one short, printable line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/ReplayReader.h"

namespace {

std::vector<std::uint8_t> Sealed(const std::uint8_t* data, std::size_t size, std::uint64_t frames)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    const std::vector<std::uint8_t> end = ReplayEndRecord(bytes, frames);
    bytes.insert(bytes.end(), end.begin(), end.end());
    return bytes;
}

void CheckRefusal(const std::string& error)
{
    if (error.empty() || error.size() > 512) {
        __builtin_trap();
    }
    for (const char c : error) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            __builtin_trap();   // bytes from the file would reach the terminal
        }
    }
}

void CheckPlays(CReplayReader& replay)
{
    ReplayFrame frame;
    std::int64_t frames = 0;
    std::int64_t readings = static_cast<std::int64_t>(replay.StartReadings().size());
    while (replay.Next(frame)) {
        ++frames;
        readings += static_cast<std::int64_t>(frame.clockReadings.size());
        if (!(frame.dt >= 0.0f && frame.dt <= kLongestFrameTime) || frame.input.actions.size() > 255) {
            __builtin_trap();
        }
        for (const ActionRecord& action : frame.input.actions) {
            if (!std::isfinite(action.value) || action.name[0] == '\0' || action.name[255] != '\0') {
                __builtin_trap();
            }
        }
    }
    if (frames != replay.FrameCount() || readings != replay.ClockReadingCount()) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::uint64_t frames = data[0] | (static_cast<std::uint64_t>(data[1]) << 8);
    for (std::vector<std::uint8_t> bytes : {Sealed(data + 2, size - 2, frames),
                                            std::vector<std::uint8_t>(data + 2, data + size)}) {
        CReplayReader replay;
        std::string error;
        if (replay.Open(std::move(bytes), error)) {
            CheckPlays(replay);
        } else {
            CheckRefusal(error);
        }
    }
    return 0;
}
