// Windows: file attributes, _commit and MoveFileEx, which (unlike rename there) may replace an
// existing file. Links are left to the system: MoveFileEx replaces a link itself, and the game's
// folder holds none.
#include "DurableFile.h"

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
