// Private directories on Windows: made in the user's own temporary folder, whose access list
// already keeps other users out; processes by their handle.
#include "system/PrivateDirectory.h"

#include <windows.h>

namespace PrivateDirectorySystem {

long CurrentProcess()
{
    return static_cast<long>(GetCurrentProcessId());
}

bool ProcessRuns(long process)
{
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr) {
        return GetLastError() == ERROR_ACCESS_DENIED;   // it runs, as another user
    }
    DWORD status = 0;
    const bool runs = GetExitCodeProcess(handle, &status) != 0 && status == STILL_ACTIVE;
    CloseHandle(handle);
    return runs;
}

bool CreateOwnDirectory(const std::filesystem::path& directory, std::string& error)
{
    error.clear();
    if (CreateDirectoryW(directory.c_str(), nullptr) != 0) {
        return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        error = "cannot make " + directory.string();
    }
    return false;
}

bool OwnedByThisUser(const std::filesystem::path&)
{
    return true;   // the folder is the user's own
}

}  // namespace PrivateDirectorySystem
