// The input plug-in's mapping from device state to named actions, apart from every platform
// call: given the keyboard state and the first gamepad's state of one poll, it makes that poll's
// posts to the engine, in order. It keeps no state and allocates nothing.
#pragma once

#include <cstddef>

#include "InputPlatform.h"
#include "VantorEngine.h"

// Bytes of keyboard state under c_dfDIKeyboard: one per DirectInput scan code.
inline constexpr std::size_t kKeyboardStateSize = 256;

// The left stick's distance from its centre: the squares and their sum exact, rounded once to
// float, then the float square root.
float StickMagnitude(SHORT thumbX, SHORT thumbY);

// Posts the actions of the held keys; keys holds kKeyboardStateSize bytes, a key being down when
// its high bit is set.
void PostKeyboardActions(CVantorEngine& engine, const BYTE* keys);

// Posts the actions of the gamepad: stick directions beyond the dead zone, then the buttons.
void PostGamepadActions(CVantorEngine& engine, const XINPUT_GAMEPAD& pad);

// One poll's posts: the keyboard's, then the gamepad's. Null stands for a device that could not
// be read this poll.
void PostInputActions(CVantorEngine& engine, const BYTE* keys, const XINPUT_GAMEPAD* pad);
