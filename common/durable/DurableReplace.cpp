// The replacement protocol over the platform's part (DurableFile).
#include "DurableReplace.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <system_error>

#include "DurableFile.h"

namespace {

constexpr const char* kTempSuffix = ".tmp";
// Names tried for a temporary before giving up: the process's own, then random ones. Each is
// created exclusively, so a name taken by anything (planted or left) is passed over, never used.
constexpr int kTempAttempts = 8;
constexpr std::size_t kRandomDigits = 8;

// The process's name with random hex digits: what nobody can plant ahead of time.
std::string RandomTempPath(const char* path)
{
    static std::random_device source;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string digits;
    std::uint32_t bits = source();
    for (std::size_t i = 0; i < kRandomDigits; ++i, bits >>= 4) {
        digits += kHex[bits & 0xFu];
    }
    return std::string(path) + "." + std::to_string(DurableFile::ProcessId()) + "." + digits + kTempSuffix;
}

// Whether the part of a temporary's name between the file's name and ".tmp" is one this code
// makes ("1234" or "1234.89abcdef"); the process id when it is.
bool ParseTempMiddle(const std::string& middle, long& id)
{
    const std::size_t dot = middle.find('.');
    const std::string digits = middle.substr(0, dot);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos ||
        digits[0] == '0') {
        return false;
    }
    if (dot != std::string::npos) {
        const std::string random = middle.substr(dot + 1);
        if (random.size() != kRandomDigits || random.find_first_not_of("0123456789abcdef") != std::string::npos) {
            return false;
        }
    }
    id = std::stol(digits);
    return true;
}

// Creates the temporary for target exclusively; null when no name could be made.
std::FILE* CreateTemp(const std::string& target, std::string& tempPath)
{
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempPath = attempt == 0 ? DurableTempPath(target.c_str()) : RandomTempPath(target.c_str());
        bool taken = false;
        if (std::FILE* file = DurableFile::CreateExclusive(tempPath.c_str(), taken)) {
            return file;
        }
        if (!taken) {
            return nullptr;   // the directory itself refuses
        }
    }
    return nullptr;
}

std::size_t WriteWithStdio(const unsigned char* bytes, std::size_t count, std::FILE* file)
{
    return std::fwrite(bytes, 1, count, file);
}

}  // namespace

std::string DurableTempPath(const char* path)
{
    return std::string(path) + "." + std::to_string(DurableFile::ProcessId()) + kTempSuffix;
}

void RemoveStaleDurableTemps(const char* path)
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
        long id = 0;
        if (!ParseTempMiddle(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()), id)) {
            continue;
        }
        std::error_code ignored;
        if (!DurableFile::ProcessAlive(id) && entries->is_regular_file(ignored)) {
            std::filesystem::remove(entries->path(), ignored);
        }
    }
}

bool ReplaceFileDurably(const char* path, const unsigned char* bytes, std::size_t count,
                        DurableByteWriter writer)
{
    // The file the name stands for: a link's target gets the new bytes and the link stays.
    const std::string target = DurableFile::FollowLinks(path);
    const DurableFile::Kind kind = DurableFile::Inspect(target.c_str());
    if (kind != DurableFile::Kind::Missing && kind != DurableFile::Kind::Writable) {
        return false;
    }
    std::string tempPath;
    std::FILE* file = CreateTemp(target, tempPath);
    if (file == nullptr) {
        return false;
    }
    // The replacement keeps who may read and write the file.
    bool written = DurableFile::CopyMode(target.c_str(), file);
    written = written && (writer != nullptr ? writer : WriteWithStdio)(bytes, count, file) == count;
    written = written && std::fflush(file) == 0 && DurableFile::Sync(file);
    // Closing can be where a full device shows, so its result counts as well.
    written = std::fclose(file) == 0 && written;
    if (!written || !DurableFile::Replace(tempPath.c_str(), target.c_str())) {
        std::remove(tempPath.c_str());
        return false;
    }
    return true;
}
