// The RetroPad's mapping to the virtual pad.
#include "frontend/libretro/RetroPad.h"

#include <libretro.h>
#include <xinput.h>

#include <iterator>

namespace {

constexpr std::int16_t kStickFull = 32767;
constexpr std::int16_t kStickFullNegative = -32768;

struct ButtonPair {
    unsigned retroPad;
    std::uint16_t xinput;
};

constexpr ButtonPair kButtons[] = {
    {RETRO_DEVICE_ID_JOYPAD_B, XINPUT_GAMEPAD_A},
    {RETRO_DEVICE_ID_JOYPAD_A, XINPUT_GAMEPAD_B},
    {RETRO_DEVICE_ID_JOYPAD_START, XINPUT_GAMEPAD_START},
};

constexpr unsigned kButtonsRead[] = {
    RETRO_DEVICE_ID_JOYPAD_B,    RETRO_DEVICE_ID_JOYPAD_A,    RETRO_DEVICE_ID_JOYPAD_START,
    RETRO_DEVICE_ID_JOYPAD_UP,   RETRO_DEVICE_ID_JOYPAD_DOWN, RETRO_DEVICE_ID_JOYPAD_LEFT,
    RETRO_DEVICE_ID_JOYPAD_RIGHT,
};

constexpr retro_input_descriptor kDescriptors[] = {
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_LEFT, "Walk left"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_RIGHT, "Walk right"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_UP, "Menu: up"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_DOWN, "Menu: down"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_B, "Jump / select"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_A, "Order the gun to fire"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_START, "Pause"},
    {0, RETRO_DEVICE_ANALOG, RETRO_DEVICE_INDEX_ANALOG_LEFT, RETRO_DEVICE_ID_ANALOG_X, "Walk"},
    {0, RETRO_DEVICE_ANALOG, RETRO_DEVICE_INDEX_ANALOG_LEFT, RETRO_DEVICE_ID_ANALOG_Y, "Menu: choose"},
    {0, 0, 0, 0, nullptr},
};

bool Held(std::uint16_t buttons, unsigned id)
{
    return (buttons & (1u << id)) != 0;
}

// One axis: the D-pad's pair if one of them is held, else the stick.
std::int16_t Axis(bool towardsNegative, bool towardsPositive, std::int16_t stick)
{
    if (towardsNegative || towardsPositive) {
        if (towardsNegative == towardsPositive) {
            return 0;
        }
        return towardsPositive ? kStickFull : kStickFullNegative;
    }
    return stick;
}

// libretro's y grows downwards, XInput's upwards; the one value without a mirror image is kept
// in range.
std::int16_t Upwards(std::int16_t downwards)
{
    return downwards == kStickFullNegative ? kStickFull : static_cast<std::int16_t>(-downwards);
}

}  // namespace

const std::uint16_t kVirtualPadButtons[kVirtualPadButtonCount] = {kButtons[0].xinput, kButtons[1].xinput,
                                                                 kButtons[2].xinput};

VirtualPadState VirtualPadFromRetroPad(const RetroPadReading& reading)
{
    VirtualPadState pad;
    for (const ButtonPair& pair : kButtons) {
        if (Held(reading.buttons, pair.retroPad)) {
            pad.buttons = static_cast<std::uint16_t>(pad.buttons | pair.xinput);
        }
    }
    pad.stickX = Axis(Held(reading.buttons, RETRO_DEVICE_ID_JOYPAD_LEFT),
                      Held(reading.buttons, RETRO_DEVICE_ID_JOYPAD_RIGHT), reading.leftX);
    pad.stickY = Axis(Held(reading.buttons, RETRO_DEVICE_ID_JOYPAD_DOWN),
                      Held(reading.buttons, RETRO_DEVICE_ID_JOYPAD_UP), Upwards(reading.leftY));
    return pad;
}

const retro_input_descriptor* RetroPadDescriptors()
{
    return kDescriptors;
}

const unsigned* RetroPadButtonsRead(unsigned& count)
{
    count = static_cast<unsigned>(std::size(kButtonsRead));
    return kButtonsRead;
}
