// Reading wave sounds: uncompressed PCM (8 or 16 bits, also in the extensible wrapper) and 32-bit
// float. Damaged or unusual files are rejected with a reason; nothing is read out of bounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PcmSound {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;          // 8 (unsigned), 16 (signed) or 32 (float)
    bool isFloat = false;
    std::vector<uint8_t> samples;   // interleaved, little-endian, whole frames only
};

// Decodes a whole .wav file. On failure returns false and says why in error.
bool DecodeWav(const std::vector<uint8_t>& file, PcmSound& sound, std::string& error);
