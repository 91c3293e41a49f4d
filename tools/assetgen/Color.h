// A straight-alpha RGBA colour, and the one palette every picture of the game is painted from.
#pragma once

#include <cstdint>

struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;

    constexpr bool Opaque() const { return a == 255; }
    constexpr bool Clear() const { return a == 0; }
    constexpr bool operator==(const Rgba&) const = default;
    // The same colour at another opacity.
    constexpr Rgba WithAlpha(uint8_t alpha) const { return Rgba{r, g, b, alpha}; }
};

constexpr Rgba Hex(uint32_t rgb)
{
    return Rgba{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                static_cast<uint8_t>(rgb), 255};
}

// A night palette: cold blues for the world, warm reds and yellows for danger and reward.
namespace pal {
constexpr Rgba kClear{};
constexpr Rgba kInk = Hex(0x0f0d1a);       // outlines
constexpr Rgba kNight0 = Hex(0x141528);    // deepest sky
constexpr Rgba kNight1 = Hex(0x1a1c2c);
constexpr Rgba kNight2 = Hex(0x22274a);
constexpr Rgba kNight3 = Hex(0x29366f);
constexpr Rgba kNight4 = Hex(0x34468a);    // horizon glow
constexpr Rgba kBlue = Hex(0x3b5dc9);
constexpr Rgba kSky = Hex(0x41a6f6);
constexpr Rgba kCyan = Hex(0x73eff7);
constexpr Rgba kWhite = Hex(0xf4f4f4);
constexpr Rgba kSteelLight = Hex(0x94b0c2);
constexpr Rgba kSteel = Hex(0x566c86);
constexpr Rgba kSteelDark = Hex(0x333c57);
constexpr Rgba kPlum = Hex(0x5d275d);
constexpr Rgba kPlumDark = Hex(0x3a1838);
constexpr Rgba kRed = Hex(0xb13e53);
constexpr Rgba kScarlet = Hex(0xe43b44);
constexpr Rgba kOrange = Hex(0xef7d57);
constexpr Rgba kYellow = Hex(0xffcd75);
constexpr Rgba kPale = Hex(0xfff4c8);      // hottest flame, moonlight
constexpr Rgba kLime = Hex(0xa7f070);
constexpr Rgba kGreen = Hex(0x38b764);
constexpr Rgba kTeal = Hex(0x257179);
constexpr Rgba kForest = Hex(0x1b4a4f);
constexpr Rgba kSkin = Hex(0xf6c39b);
constexpr Rgba kSkinShade = Hex(0xcf8a68);
constexpr Rgba kBrown = Hex(0x8a4b38);
constexpr Rgba kBrownDark = Hex(0x57302c);
constexpr Rgba kOlive = Hex(0x6b7a3a);
constexpr Rgba kOliveLight = Hex(0x94a852);
constexpr Rgba kOliveDark = Hex(0x3f4a26);
}  // namespace pal
