// Windows: file attributes, _commit and MoveFileEx, which (unlike rename there) may replace an
// existing file. Links are left to the system: MoveFileEx replaces a link itself, and the game's
// folder holds none.
#include "DurableFile.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>

namespace DurableFile {

Kind Inspect(const char* path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Kind::Missing
                                                                              : Kind::NotAFile;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return Kind::NotAFile;
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? Kind::ReadOnly : Kind::Writable;
}

std::FILE* OpenRegularFile(const char* path)
{
    const Kind kind = Inspect(path);
    if (kind != Kind::Writable && kind != Kind::ReadOnly) {
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file != nullptr && ::GetFileType(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)))) !=
                               FILE_TYPE_DISK) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

std::string FollowLinks(const char* path)
{
    return path;
}

std::FILE* CreateExclusive(const char* path, bool& taken)
{
    // CREATE_NEW fails on any existing name, a link included: what is there is never opened.
    const HANDLE handle = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return nullptr;
    }
    taken = false;
    const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        ::CloseHandle(handle);
        ::DeleteFileA(path);
        return nullptr;
    }
    std::FILE* file = ::_fdopen(descriptor, "wb");
    if (file == nullptr) {
        ::_close(descriptor);
        ::DeleteFileA(path);
    }
    return file;
}

bool CopyMode(const char*, std::FILE*)
{
    // A read-only file is never replaced, and the rest of a file's access is its folder's.
    return true;
}

bool Sync(std::FILE* file)
{
    return ::_commit(::_fileno(file)) == 0;
}

bool Replace(const char* from, const char* to)
{
    return ::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

long ProcessId()
{
    return static_cast<long>(::_getpid());
}

bool ProcessAlive(long id)
{
    if (id <= 0) {
        return false;
    }
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) {
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

}  // namespace DurableFile
