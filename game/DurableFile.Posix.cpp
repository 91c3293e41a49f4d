// POSIX: fsync, rename(2), and an fsync of the directory so the rename itself survives a crash.
#include "DurableFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace {

std::string DirectoryOf(const char* path)
{
    const std::string text(path);
    const std::size_t slash = text.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : text.substr(0, slash);
}

}  // namespace

namespace DurableFile {

bool Sync(std::FILE* file)
{
    return ::fsync(::fileno(file)) == 0;
}

bool Replace(const char* from, const char* to)
{
    if (std::rename(from, to) != 0) {
        return false;
    }
    // The new name is in place; making the directory entry durable is best effort.
    const int directory = ::open(DirectoryOf(to).c_str(), O_RDONLY | O_DIRECTORY);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return true;
}

long ProcessId()
{
    return static_cast<long>(::getpid());
}

}  // namespace DurableFile
