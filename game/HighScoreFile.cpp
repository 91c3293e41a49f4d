// Reading and writing the high-score file, byte by byte so the format is the same on any host.
#include "HighScoreFile.h"

#include "DurableFile.h"

int32_t ReadHighScore(const char* path)
{
    std::FILE* file = DurableFile::OpenRegularFile(path);
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
    return DurableTempPath(path);
}

void RemoveStaleHighScoreTemps(const char* path)
{
    RemoveStaleDurableTemps(path);
}

bool WriteHighScore(const char* path, int32_t value)
{
    return WriteHighScore(path, value, nullptr);
}

bool WriteHighScore(const char* path, int32_t value, HighScoreByteWriter writer)
{
    unsigned char bytes[kHighScoreSize];
    EncodeHighScore(value, bytes);
    return ReplaceFileDurably(path, bytes, sizeof bytes, writer);
}
