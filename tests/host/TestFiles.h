// Helpers for the host's tests: temporary directories and hand-made BMP and WAV files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed at the end.
class CTempDirectory {
public:
    CTempDirectory();
    ~CTempDirectory();
    CTempDirectory(const CTempDirectory&) = delete;
    CTempDirectory& operator=(const CTempDirectory&) = delete;
    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};

// A 24-bit (bottom-up) or 32-bit BGRA bitmap of width x height, pixels 0xAARRGGBB top row first.
std::vector<uint8_t> MakeBmp(int width, int height, const std::vector<uint32_t>& pixels,
                             int bitsPerPixel);
// A 16-bit PCM wave of the given samples.
std::vector<uint8_t> MakeWav(int channels, int sampleRate, const std::vector<int16_t>& samples);

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
std::string ReadText(const std::filesystem::path& file);
