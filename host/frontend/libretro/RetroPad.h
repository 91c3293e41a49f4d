// The RetroPad as our stand-in's virtual pad sees it: the D-pad and the left stick move as the
// pad's stick does, the bottom face button is the pad's A (jump, select), the right face button
// its B (fire), Start its Start (pause). Pure, so that the mapping is tested without a frontend.
#pragma once

#include <cstddef>
#include <cstdint>

struct retro_input_descriptor;

// What the core reads each frame, in this order: the buttons as one RETRO_DEVICE_ID_JOYPAD_MASK,
// then the left stick's x and y (libretro's y grows downwards).
struct RetroPadReading {
    std::uint16_t buttons = 0;   // bit n: RETRO_DEVICE_ID_JOYPAD_<n>
    std::int16_t leftX = 0;
    std::int16_t leftY = 0;
};

// An XInput pad's state (XInput's y grows upwards).
struct VirtualPadState {
    std::uint16_t buttons = 0;   // XINPUT_GAMEPAD_* masks
    std::int16_t stickX = 0;
    std::int16_t stickY = 0;
};

// A held D-pad direction overrides the stick on its axis (both ways at once: the stick's centre).
VirtualPadState VirtualPadFromRetroPad(const RetroPadReading& reading);

// Every pad button the mapping sets or clears (XINPUT_GAMEPAD_* masks).
inline constexpr std::size_t kVirtualPadButtonCount = 3;
extern const std::uint16_t kVirtualPadButtons[kVirtualPadButtonCount];

// The buttons the game uses, as RetroArch's menus name them; ends with a zeroed entry.
const retro_input_descriptor* RetroPadDescriptors();
// The RetroPad buttons the core reads when the frontend cannot hand them over as one mask, in
// the order it asks for them.
const unsigned* RetroPadButtonsRead(unsigned& count);
