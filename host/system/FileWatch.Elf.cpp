// The stand-in for rename() on ELF systems: the executable defines and exports it, so the game
// module's reference, bound when the module is loaded, reaches this one, which counts and passes
// the call on to the C library's.
#include "system/FileWatch.h"

#include <dlfcn.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace {
std::atomic<std::uint64_t> renames{0};
}  // namespace

extern "C" __attribute__((visibility("default"))) int rename(const char* from, const char* to) noexcept
{
    using RenameFunction = int (*)(const char*, const char*);
    static const auto next = reinterpret_cast<RenameFunction>(dlsym(RTLD_NEXT, "rename"));
    if (next == nullptr) {
        errno = ENOSYS;
        return -1;
    }
    const int result = next(from, to);
    if (result == 0) {
        renames.fetch_add(1, std::memory_order_relaxed);
    }
    return result;
}

namespace FileWatch {

bool Available()
{
    return true;
}

std::uint64_t Renames()
{
    return renames.load(std::memory_order_relaxed);
}

}  // namespace FileWatch
