// Presses and releases real keys on the X display the test program's Wine draws on, with
// xdotool, so that they travel the whole way a player's keys do: X server, Wine's X11 driver,
// DirectInput. Wine starts the Linux program from its Unix path but cannot wait for it, so a
// shell leaves a file behind once xdotool is done, and each call waits for that file: presses
// and releases reach the X server in the order the test made them.
#pragma once

#include <string>

class KeyboardRobot {
public:
    // X key names as xdotool knows them ("Left", "Alt_L", "Return", "space"), blank-separated,
    // pressed (or released) in that order. False when xdotool failed or did not finish in time.
    bool Press(const std::string& keys);
    bool Release(const std::string& keys);
    // Releases every key the tests use, left down perhaps by a test that failed half-way.
    bool ReleaseAll();

private:
    bool Run(const std::string& command, const std::string& keys);
};
