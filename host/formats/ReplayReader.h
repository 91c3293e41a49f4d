// Reading a replay. Replays are files players send each other, so reading one trusts nothing:
// every record is checked before the first frame plays, values must be ones a host and an input
// plug-in can produce, and frames are decoded one at a time as they are played, from the file's
// bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/Replay.h"

// A replay: checked whole when opened, then played frame by frame from its bytes, so that
// memory follows the file's size, not the number of actions in it.
class CReplayReader {
public:
    // Takes a file's bytes; false with one line saying what is wrong (foreign, newer format,
    // cut short, damaged, or a value no host makes, naming the frame).
    bool Open(std::vector<std::uint8_t> bytes, std::string& error);

    const ReplayHeader& Header() const { return header; }
    const std::vector<std::int64_t>& StartReadings() const { return startReadings; }
    std::int64_t FrameCount() const { return frameCount; }
    // Clock readings in all, one per game the recording holds (its start and each Retry).
    std::int64_t ClockReadingCount() const { return clockReadingCount; }
    // The recorded frame times added up, in seconds.
    double GameTime() const { return gameTime; }

    // The next frame into frame (its storage reused); false after the last.
    bool Next(ReplayFrame& frame);

private:
    std::vector<std::uint8_t> bytes;
    ReplayHeader header;
    std::vector<std::int64_t> startReadings;
    std::size_t firstFrameAt = 0;   // where the first frame record starts
    std::size_t endAt = 0;          // where the end record starts
    std::size_t nextAt = 0;         // the next frame record
    std::int64_t frameCount = 0;
    std::int64_t clockReadingCount = 0;
    double gameTime = 0.0;
};
