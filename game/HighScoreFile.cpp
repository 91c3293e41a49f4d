// Reading and writing the high-score file, byte by byte so the format is the same on any host.
#include "HighScoreFile.h"

#include "DurableFile.h"

namespace {

std::size_t WriteWithStdio(const unsigned char* bytes, std::size_t count, std::FILE* file)
{
    return std::fwrite(bytes, 1, count, file);
}

}  // namespace

void EncodeHighScore(int32_t value, unsigned char (&bytes)[kHighScoreSize])
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (std::size_t i = 0; i < kHighScoreSize; ++i) {
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

int32_t DecodeHighScore(const unsigned char (&bytes)[kHighScoreSize])
{
    uint32_t bits = 0;
    for (std::size_t i = 0; i < kHighScoreSize; ++i) {
        bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<int32_t>(bits);
}

int32_t ReadHighScore(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return 0;
    }
    unsigned char bytes[kHighScoreSize] = {};
    const std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (got != sizeof bytes) {
        return 0;
    }
    return DecodeHighScore(bytes);
}

std::string HighScoreTempPath(const char* path)
{
    return std::string(path) + "." + std::to_string(DurableFile::ProcessId()) + ".tmp";
}

bool WriteHighScore(const char* path, int32_t value)
{
    return WriteHighScore(path, value, WriteWithStdio);
}

bool WriteHighScore(const char* path, int32_t value, HighScoreByteWriter writer)
{
    const std::string tempPath = HighScoreTempPath(path);
    std::FILE* file = std::fopen(tempPath.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    unsigned char bytes[kHighScoreSize];
    EncodeHighScore(value, bytes);
    bool written = writer(bytes, sizeof bytes, file) == sizeof bytes;
    written = written && std::fflush(file) == 0 && DurableFile::Sync(file);
    // Closing can be where a full device shows, so its result counts as well.
    written = std::fclose(file) == 0 && written;
    if (!written || !DurableFile::Replace(tempPath.c_str(), path)) {
        std::remove(tempPath.c_str());
        return false;
    }
    return true;
}
