// Recordings of a session ("replays"): everything the game module's behaviour depends on, so
// that a replay plays the recorded game exactly. A file is a header, then records in the order
// things happened, then an end record:
//   header   "VNTRPLAY", u32 format version, u16 length + host version text,
//            u64 fingerprint of the game's rules (format 1: of the game module's file),
//            u8 1/0 whether "highscore" existed, u8 length (at most 16) + its first bytes
//   'K'      i64 a clock reading the game took (at an Attach): before the first frame for the
//            first start, after the frame in which a Retry took it
//   'F'      u32 bits of the frame time, u8 flags (1: the host paused the game before the frame,
//            e.g. on focus loss), u8 action count, per action u8 name length + name, u32 bits of
//            the value: what the input plug-in posted during the frame's poll
//   'E'      u64 frame count, u64 checksum (FNV-1a) of every byte before the 'E'
// Numbers are little-endian. A minute of play at 60 frames a second is typically 60-100 KB.
//
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/FrameInput.h"

inline constexpr std::uint32_t kReplayFormatVersion = 2;
// Format 1 differs only in what its fingerprint is of; such files still play.
inline constexpr std::uint32_t kOldestReplayFormat = 1;
inline constexpr std::size_t kReplayHighScoreBytes = 16;
// The longest replay written or read: over eight hours of busy play (an hour is about 6 MB).
// A session that goes on longer stops recording there.
inline constexpr std::size_t kLongestReplay = std::size_t{48} << 20;

struct ReplayHeader {
    std::uint32_t formatVersion = kReplayFormatVersion;
    std::string hostVersion;
    std::uint64_t fingerprint = 0;   // of the game's rules (format 1: of the module file)
    bool highScoreExists = false;
    std::vector<std::uint8_t> highScoreBytes;   // the file's first bytes, as the game found it
};

struct ReplayFrame {
    float dt = 0.0f;
    bool hostPaused = false;
    FrameInput input;
    std::vector<std::int64_t> clockReadings;   // taken during this frame
};

// FNV-1a, 64 bits: a fingerprint and a checksum, not a defence against forgery.
std::uint64_t Fnv1a64(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash = 14695981039346656037ull);

// The end record of a recording that holds frames frames (tests seal hand-made bytes with it).
std::vector<std::uint8_t> ReplayEndRecord(const std::vector<std::uint8_t>& recording, std::uint64_t frames);

// Text from a file made fit for a terminal: printable ASCII as it is, every other byte as \xNN.
std::string PrintableText(const std::string& text);

// Builds a recording as the session runs. Bytes() is the recording so far without its end;
// End() is the end record for it. Past kLongestReplay it takes nothing more (Full()).
class CReplayEncoder {
public:
    explicit CReplayEncoder(const ReplayHeader& header);

    void AddClockReading(std::int64_t reading);
    void AddFrame(float dt, bool hostPaused, const FrameInput& input);

    const std::vector<std::uint8_t>& Bytes() const { return bytes; }
    std::int64_t FrameCount() const { return frames; }
    bool Full() const { return full; }
    // The end record for the recording as it stands.
    std::vector<std::uint8_t> End() const;

private:
    // Whether count more bytes fit; once one record does not, nothing more is kept.
    bool Fits(std::size_t count);

    std::vector<std::uint8_t> bytes;
    std::int64_t frames = 0;
    bool full = false;
};
