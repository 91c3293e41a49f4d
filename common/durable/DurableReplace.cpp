// The replacement protocol over the platform's part (DurableFile).
#include "DurableReplace.h"

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

bool ReplaceFileDurably(const char* path, const unsigned char* bytes, std::size_t count,
                        DurableByteWriter writer)
{
    // The file the name stands for: a link's target gets the new bytes and the link stays.
    const std::string target = DurableFile::FollowLinks(path);
    const DurableFile::Kind kind = DurableFile::Inspect(target.c_str());
    if (kind != DurableFile::Kind::Missing && kind != DurableFile::Kind::Writable) {
        return false;
    }
    const std::string tempPath = DurableTempPath(target.c_str());
    std::FILE* file = std::fopen(tempPath.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = (writer != nullptr ? writer : WriteWithStdio)(bytes, count, file) == count;
    written = written && std::fflush(file) == 0 && DurableFile::Sync(file);
    // Closing can be where a full device shows, so its result counts as well.
    written = std::fclose(file) == 0 && written;
    if (!written || !DurableFile::Replace(tempPath.c_str(), target.c_str())) {
        std::remove(tempPath.c_str());
        return false;
    }
    return true;
}
