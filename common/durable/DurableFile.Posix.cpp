// POSIX: stat and O_NONBLOCK, fsync, rename(2), and an fsync of the directory so the rename
// itself survives a crash.
#include "DurableFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

namespace {

// Linux's own limit on links followed in one lookup.
constexpr int kMaxLinks = 40;

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

namespace DurableFile {

Kind Inspect(const char* path)
{
    struct stat status {};
    if (::stat(path, &status) != 0) {
        return errno == ENOENT ? Kind::Missing : Kind::NotAFile;
    }
    if (!S_ISREG(status.st_mode)) {
        return Kind::NotAFile;
    }
    // The write bits count even for a user whom the system would let write (root): a file
    // marked read-only is meant to stay as it is.
    const bool marked = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return marked && ::access(path, W_OK) == 0 ? Kind::Writable : Kind::ReadOnly;
}

std::FILE* OpenRegularFile(const char* path)
{
    const int descriptor = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status {};
    std::FILE* file = nullptr;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        file = ::fdopen(descriptor, "rb");
    }
    if (file == nullptr) {
        ::close(descriptor);
    }
    return file;
}

std::string FollowLinks(const char* path)
{
    std::string current = path;
    for (int step = 0; step < kMaxLinks; ++step) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof target) {
            return current;
        }
        std::string next(target, static_cast<std::size_t>(length));
        if (next.front() != '/' && current.find('/') != std::string::npos) {
            next = DirectoryOf(current) + "/" + next;   // relative to the link's own directory
        }
        current = next;
    }
    return current;
}

std::FILE* CreateExclusive(const char* path, bool& taken)
{
    // The mode is the one fopen would give (0666 less the umask); CopyMode narrows it to the old
    // file's before any byte is written.
    const int descriptor = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    taken = descriptor < 0 && errno == EEXIST;
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (file == nullptr) {
        ::close(descriptor);
        ::unlink(path);
    }
    return file;
}

bool CopyMode(const char* original, std::FILE* file)
{
    struct stat status {};
    if (::stat(original, &status) != 0) {
        return errno == ENOENT;
    }
    return ::fchmod(::fileno(file), status.st_mode & 07777) == 0;
}

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
    const int directory = ::open(DirectoryOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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

bool ProcessAlive(long id)
{
    if (id <= 0 || id > INT_MAX) {
        return false;
    }
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

}  // namespace DurableFile
