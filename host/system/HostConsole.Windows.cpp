// vantor.exe is a windowed program: it has no console of its own. Started from a terminal it
// borrows the terminal's; started with its error stream sent to a file or pipe it keeps that.
#include "system/HostConsole.h"

#include <windows.h>

#include <cstdio>

namespace {

bool errorsReachSomeone = false;

bool Usable(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void HostConsoleStart()
{
    if (Usable(STD_ERROR_HANDLE)) {
        errorsReachSomeone = true;   // redirected by whoever started us
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS) != 0) {
        std::FILE* ignored = nullptr;
        freopen_s(&ignored, "CONOUT$", "w", stdout);
        freopen_s(&ignored, "CONOUT$", "w", stderr);
        errorsReachSomeone = true;
    }
}

void HostConsoleShowFailure(const std::string& message)
{
    if (errorsReachSomeone || message.empty()) {
        return;
    }
    MessageBoxA(nullptr, message.c_str(), "Vantor", MB_OK | MB_ICONERROR);
}
