// Names of keys and pad buttons as scripts write them: a DIK_ name without its prefix ("LEFT",
// "RETURN") and an XInput button name without XINPUT_GAMEPAD_ ("A", "DPAD_UP"). Letter case is
// not significant.
#pragma once

namespace KeyNames {

// The DIK_ code of a key name; -1 for an unknown or null name.
int DikFromName(const char* name);

// The XInput button mask of a button name; -1 for an unknown or null name.
int PadButtonFromName(const char* name);

}  // namespace KeyNames
