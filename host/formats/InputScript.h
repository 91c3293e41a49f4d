// The headless input script: one event per line, "<frame> down|up <KEY>", "<frame> pad
// connect|disconnect", "<frame> pad down|up <BUTTON>", "<frame> pad stick <LX> <LY>"; '#' starts
// a comment. Parsed whole before any frame runs, so a mistake stops the run at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

enum class ScriptAction {
    KeyDown,
    KeyUp,
    PadConnect,
    PadDisconnect,
    PadButtonDown,
    PadButtonUp,
    PadStick,
};

struct ScriptEvent {
    int frame = 0;
    ScriptAction action = ScriptAction::KeyDown;
    int code = 0;          // DirectInput key code or XInput button mask
    int16_t stickX = 0;
    int16_t stickY = 0;
    int line = 0;
};

// Name lookups of the platform layer: a code, or negative for an unknown name.
struct ScriptNames {
    std::function<int(const char*)> key;
    std::function<int(const char*)> button;
};

// Far beyond any real script (a frame's events fit in a few dozen bytes), small enough that a
// wrong file (/dev/zero, a film) is refused before it takes the machine's memory.
inline constexpr std::size_t kMaxScriptBytes = 16u * 1024 * 1024;
inline constexpr std::size_t kMaxScriptLineLength = 1024;

// Reads a script file whole. False with a reason for a directory, a file that cannot be opened
// (with the system's reason) or one larger than kMaxScriptBytes.
bool ReadInputScriptFile(const std::filesystem::path& file, std::string& text, std::string& error);

// Text from a script as it may be shown in a message: quoted, control and non-ASCII bytes written
// as \xNN, cut to a few dozen characters.
std::string QuoteScriptText(const std::string& text);

// Parses the whole script. False with "line N: what is wrong" in error.
bool ParseInputScript(const std::string& text, const ScriptNames& names,
                      std::vector<ScriptEvent>& events, std::string& error);
