// Private directories: names, and the removal of leftovers.
#include "system/PrivateDirectory.h"

#include <charconv>
#include <random>

using namespace PrivateDirectorySystem;

namespace {

constexpr std::size_t kRandomLength = 8;

// The process id in "<prefix><id>-<random>", or -1 when name is not such a name.
long ProcessOfName(const std::string& name, const std::string& prefix)
{
    if (name.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    long process = -1;
    const char* end = name.data() + name.size();
    const auto parsed = std::from_chars(name.data() + prefix.size(), end, process);
    const bool shaped = parsed.ec == std::errc() && parsed.ptr != end && *parsed.ptr == '-' &&
                        static_cast<std::size_t>(end - parsed.ptr) == 1 + kRandomLength;
    return shaped && process > 0 ? process : -1;
}

}  // namespace

bool MakePrivateDirectory(const std::filesystem::path& base, const std::string& prefix,
                          std::filesystem::path& made, std::string& error)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix + std::to_string(CurrentProcess()) + "-";
        for (std::size_t i = 0; i < kRandomLength; ++i) {
            name.push_back(kLetters[pick(device)]);
        }
        if (CreateOwnDirectory(base / name, error)) {
            made = base / name;
            return true;
        }
        if (!error.empty()) {
            return false;
        }
    }
    error = "no free name for it in " + base.string();
    return false;
}

void RemoveLeftoverDirectories(const std::filesystem::path& base, const std::string& prefix)
{
    std::error_code code;
    for (std::filesystem::directory_iterator entry(base, code), end; !code && entry != end; entry.increment(code)) {
        const long process = ProcessOfName(entry->path().filename().string(), prefix);
        // symlink_status: a link with a matching name is someone else's doing, never followed.
        std::error_code statusCode;
        if (process < 0 || process == CurrentProcess() || ProcessRuns(process) ||
            !std::filesystem::is_directory(std::filesystem::symlink_status(entry->path(), statusCode)) ||
            !OwnedByThisUser(entry->path())) {
            continue;
        }
        std::error_code removeCode;
        std::filesystem::remove_all(entry->path(), removeCode);
    }
}
