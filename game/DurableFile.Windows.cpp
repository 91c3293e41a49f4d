// Windows: _commit and MoveFileEx, which (unlike rename there) may replace an existing file.
#include "DurableFile.h"

#include <io.h>
#include <process.h>
#include <windows.h>

namespace DurableFile {

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

}  // namespace DurableFile
