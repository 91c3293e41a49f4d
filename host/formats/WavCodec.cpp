// Wave sound reader: walks the RIFF chunks, checks every size against the bytes there are.
#include "formats/WavCodec.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr uint32_t kFormatPcm = 1;
constexpr uint32_t kFormatFloat = 3;
constexpr uint32_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kMaxChannels = 8;
constexpr uint32_t kMinRate = 1000;
constexpr uint32_t kMaxRate = 384000;
// The game's sounds are effects of a second or two. What a sound costs is its length: the output
// converts it to the device's format (stereo at 48 kHz, say), where a small 8-bit mono file at a
// low rate grows a hundredfold. A minute at most keeps that near 12 MB per sound.
constexpr uint32_t kMaxSeconds = 60;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kBasicFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;
constexpr std::size_t kSubFormatOffset = 24;

uint32_t U16(const std::vector<uint8_t>& d, std::size_t at)
{
    return static_cast<uint32_t>(d[at] | (d[at + 1] << 8));
}

uint32_t U32(const std::vector<uint8_t>& d, std::size_t at)
{
    return U16(d, at) | (U16(d, at + 2) << 16);
}

bool Tag(const std::vector<uint8_t>& d, std::size_t at, const char* tag)
{
    return std::memcmp(&d[at], tag, 4) == 0;
}

bool Fail(std::string& error, const char* reason)
{
    error = reason;
    return false;
}

}  // namespace

bool DecodeWav(const std::vector<uint8_t>& file, PcmSound& sound, std::string& error)
{
    if (file.size() < 12 || !Tag(file, 0, "RIFF") || !Tag(file, 8, "WAVE")) {
        return Fail(error, "not a WAV file");
    }
    bool haveFormat = false;
    bool haveData = false;
    uint32_t format = 0;
    uint32_t channels = 0;
    uint32_t rate = 0;
    uint32_t blockAlign = 0;
    uint32_t bits = 0;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;

    std::size_t at = 12;
    while (file.size() - at >= kChunkHeader && !(haveFormat && haveData)) {
        const std::size_t size = U32(file, at + 4);
        const std::size_t body = at + kChunkHeader;
        if (size > file.size() - body) {
            return Fail(error, "WAV data is cut short");
        }
        if (Tag(file, at, "fmt ")) {
            if (size < kBasicFormatSize) {
                return Fail(error, "damaged WAV format chunk");
            }
            format = U16(file, body);
            channels = U16(file, body + 2);
            rate = U32(file, body + 4);
            blockAlign = U16(file, body + 12);
            bits = U16(file, body + 14);
            if (format == kFormatExtensible) {
                if (size < kExtensibleFormatSize) {
                    return Fail(error, "damaged WAV format chunk");
                }
                format = U16(file, body + kSubFormatOffset);
            }
            haveFormat = true;
        } else if (Tag(file, at, "data")) {
            dataOffset = body;
            dataSize = size;
            haveData = true;
        }
        at = body + size + (size & 1);
        if (at > file.size()) {
            break;   // the pad byte of the last chunk may be missing
        }
    }
    if (!haveFormat || !haveData) {
        return Fail(error, haveFormat ? "WAV file has no sound data" : "WAV file has no format");
    }
    const bool pcm = format == kFormatPcm && (bits == 8 || bits == 16);
    const bool floating = format == kFormatFloat && bits == 32;
    if (!pcm && !floating) {
        return Fail(error, "unsupported WAV encoding (only 8/16-bit PCM and 32-bit float)");
    }
    if (channels == 0 || channels > kMaxChannels || rate < kMinRate || rate > kMaxRate ||
        blockAlign != channels * bits / 8) {
        return Fail(error, "damaged WAV format chunk");
    }
    sound.channels = static_cast<int>(channels);
    sound.sampleRate = static_cast<int>(rate);
    sound.bitsPerSample = static_cast<int>(bits);
    sound.isFloat = floating;
    const std::size_t whole = dataSize - dataSize % blockAlign;
    if (whole / blockAlign > static_cast<std::size_t>(rate) * kMaxSeconds) {
        error = "WAV sound is longer than " + std::to_string(kMaxSeconds) + " seconds";
        return false;
    }
    sound.samples.assign(file.begin() + static_cast<std::ptrdiff_t>(dataOffset),
                         file.begin() + static_cast<std::ptrdiff_t>(dataOffset + whole));
    return true;
}
