// Driving xdotool from a Windows program under Wine.
#include "KeyboardRobot.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kDefaultXdotool = "/usr/bin/xdotool";
constexpr const char* kEveryKeyUsed = "Up Left Down Right space Escape p Return Alt_L Alt_R";

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
    const char* configured = std::getenv("VANTOR_XDOTOOL");
    const std::string program = configured != nullptr && *configured != '\0' ? configured : kDefaultXdotool;
    const std::string line = program + " " + command + " " + keys;
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
