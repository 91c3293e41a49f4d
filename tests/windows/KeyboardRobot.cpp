// Driving xdotool from a Windows program under Wine.
#include "KeyboardRobot.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kDefaultXdotool = "/usr/bin/xdotool";
constexpr const char* kShell = "/bin/sh";
constexpr const char* kEveryKeyUsed = "Up Left Down Right space Escape p Return Alt_L Alt_R";
constexpr DWORD kTimeoutMs = 10000;
constexpr DWORD kStepMs = 2;

// Wine's own export that gives the Unix path of a Windows path (allocated on the process heap).
using UnixFileNameFunction = char* (*)(const wchar_t*);

std::string UnixPath(const wchar_t* windowsPath)
{
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto convert = reinterpret_cast<UnixFileNameFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    if (convert == nullptr) {
        return {};
    }
    char* converted = convert(windowsPath);
    if (converted == nullptr) {
        return {};
    }
    std::string path(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return path;
}

bool StartProcess(const std::string& line)
{
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool KeyboardRobot::Press(const std::string& keys)
{
    return Run("keydown", keys);
}

bool KeyboardRobot::Release(const std::string& keys)
{
    return Run("keyup", keys);
}

bool KeyboardRobot::ReleaseAll()
{
    return Release(kEveryKeyUsed);
}

bool KeyboardRobot::Run(const std::string& command, const std::string& keys)
{
    wchar_t folder[MAX_PATH];
    wchar_t done[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"key", 0, done) == 0) {
        return false;
    }
    DeleteFileW(done);
    const std::string doneUnix = UnixPath(done);
    if (doneUnix.empty()) {
        return false;
    }

    const char* configured = std::getenv("VANTOR_XDOTOOL");
    const std::string xdotool = configured != nullptr && *configured != '\0' ? configured : kDefaultXdotool;
    const std::string script = xdotool + " " + command + " " + keys + " && : > '" + doneUnix + "'";
    if (!StartProcess(std::string(kShell) + " -c \"" + script + "\"")) {
        return false;
    }
    for (DWORD waited = 0; waited < kTimeoutMs; waited += kStepMs) {
        if (GetFileAttributesW(done) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileW(done);
            return true;
        }
        Sleep(kStepMs);
    }
    return false;
}
