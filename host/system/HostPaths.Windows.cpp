// Host directories on Windows.
#include "system/HostPaths.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode)
{
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(file.c_str(), wideMode.c_str());
}

std::filesystem::path ExecutableDirectory()
{
    // Long paths can exceed MAX_PATH: grow the buffer until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

const bool kInstalledUnderPrefix = false;
const char* const kUserDataDirectoryShown = "%LOCALAPPDATA%\\Vantor";
const char* const kKeepFilesTogether = "keep the unzipped files together, with data\\ beside vantor.exe";

std::filesystem::path UserDataDirectory()
{
    const wchar_t* localAppData = _wgetenv(L"LOCALAPPDATA");
    if (localAppData != nullptr && localAppData[0] != L'\0') {
        return std::filesystem::path(localAppData) / "Vantor";
    }
    return {};
}

void WarnAboutWorkDirectory()
{
    std::error_code code;
    if (WarnAboutHighScoreFile(std::filesystem::current_path(code))) {
        return;
    }
    // Windows has no access(W_OK) for folders that tells the truth about ACLs: try a file.
    const HANDLE probe = CreateFileW(L"vantor-write-check.tmp", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_EXISTS) {
            return;   // a leftover of a killed run: the folder is writable
        }
        std::fprintf(stderr, "vantor: warning: cannot write in %s; the high score will not be saved\n",
                     std::filesystem::current_path(code).string().c_str());
        return;
    }
    CloseHandle(probe);
}
