// The headless input script: one event per line, "<frame> down|up <KEY>", "<frame> pad
// connect|disconnect", "<frame> pad down|up <BUTTON>", "<frame> pad stick <LX> <LY>"; '#' starts
// a comment. Parsed whole before any frame runs, so a mistake stops the run at once.
#pragma once

#include <cstdint>
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

// Parses the whole script. False with "line N: what is wrong" in error.
bool ParseInputScript(const std::string& text, const ScriptNames& names,
                      std::vector<ScriptEvent>& events, std::string& error);
