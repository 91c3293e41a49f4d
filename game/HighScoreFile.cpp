// Reading and writing the high-score file, byte by byte so the format is the same on any host.
#include "HighScoreFile.h"

#include <filesystem>
#include <system_error>

#include "DurableFile.h"

namespace {

constexpr const char* kTempSuffix = ".tmp";

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
    return std::string(path) + "." + std::to_string(DurableFile::ProcessId()) + kTempSuffix;
}

void RemoveStaleHighScoreTemps(const char* path)
{
    const std::filesystem::path target = DurableFile::FollowLinks(path);
    std::filesystem::path directory = target.parent_path();
    if (directory.empty()) {
        directory = ".";
    }
    const std::string prefix = target.filename().string() + ".";
    const std::string suffix = kTempSuffix;
    std::error_code code;
    std::filesystem::directory_iterator entries(directory, code);
    for (; !code && entries != std::filesystem::directory_iterator(); entries.increment(code)) {
        const std::string name = entries->path().filename().string();
        if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos ||
            digits[0] == '0') {
            continue;
        }
        const long id = std::stol(digits);
        std::error_code ignored;
        if (!DurableFile::ProcessAlive(id) && entries->is_regular_file(ignored)) {
            std::filesystem::remove(entries->path(), ignored);
        }
    }
}

bool WriteHighScore(const char* path, int32_t value)
{
    return WriteHighScore(path, value, WriteWithStdio);
}

bool WriteHighScore(const char* path, int32_t value, HighScoreByteWriter writer)
{
    // The file the name stands for: a link's target gets the new score and the link stays.
    const std::string target = DurableFile::FollowLinks(path);
    const DurableFile::Kind kind = DurableFile::Inspect(target.c_str());
    if (kind != DurableFile::Kind::Missing && kind != DurableFile::Kind::Writable) {
        return false;
    }
    const std::string tempPath = HighScoreTempPath(target.c_str());
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
    if (!written || !DurableFile::Replace(tempPath.c_str(), target.c_str())) {
        std::remove(tempPath.c_str());
        return false;
    }
    return true;
}
