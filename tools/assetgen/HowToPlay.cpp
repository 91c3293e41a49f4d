// The card a first-time player sees over the paused game: the controls, the loop of play and
// what the HUD's numbers are, in the game's own font so that it reads as part of the game.
#include "Art.h"

#include <string_view>

#include "PixelFont.h"

namespace art {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 372;
constexpr int kMargin = 28;
constexpr int kScale = 2;
constexpr int kLineStep = 20;

// One line of plain text in a colour, with the dark outline every word on screen has.
CCanvas Words(std::string_view text, Rgba color)
{
    CCanvas words = font::Mask(text, kScale, kScale);
    words.Recolor(color, [](int, int) { return true; });
    CCanvas outlined(words.Width() + 2, words.Height() + 2);
    outlined.Draw(words, 1, 1);
    outlined.Outline(pal::kInk);
    return outlined;
}

struct Control {
    std::string_view keys;
    std::string_view does;
};

constexpr Control kControls[] = {
    {"LEFT RIGHT / STICK", "WALK"},
    {"UP / PAD A", "JUMP"},
    {"SPACE / PAD B", "FIRE"},
    {"P / START", "PAUSE"},
    {"M", "SOUND ON OR OFF"},
};

constexpr std::string_view kHowItGoes[] = {
    "WALK INTO A BOX TO PICK IT UP",
    "CARRY IT TO THE GUN - THEN FIRE",
    "PUSH THE GUN TO AIM IT",
    "JUMP OVER THE GUN TO REACH THE FAR BOX",
    "TOP LEFT: LIVES - UNDER THEM YOUR SHOTS",
    "TOP RIGHT: SCORE - UNDER IT THE BEST",
};

}  // namespace

CCanvas HowToPlay()
{
    CCanvas c(kWidth, kHeight);
    // A dark plate with a lit rim and rounded corners, so the card stands off the dimmed game.
    const auto plate = [&c](int inset, Rgba color) {
        c.FillRect(inset + 2, inset, kWidth - 2 * inset - 4, kHeight - 2 * inset, color);
        c.FillRect(inset, inset + 2, kWidth - 2 * inset, kHeight - 2 * inset - 4, color);
        c.FillRect(inset + 1, inset + 1, kWidth - 2 * inset - 2, kHeight - 2 * inset - 2, color);
    };
    plate(0, pal::kSky);
    plate(3, pal::kNight1);
    const font::Style title{{pal::kPale, pal::kYellow, pal::kOrange, pal::kScarlet}, pal::kInk, 2,
                            pal::kPlumDark, 3};
    c.Draw(font::Lettering("HOW TO PLAY", 4, 5, title, kWidth, 56), 0, 10);

    int y = 72;
    for (const Control& control : kControls) {
        c.Draw(Words(control.keys, pal::kYellow), kMargin, y);
        c.Draw(Words(control.does, pal::kWhite), kWidth / 2 + 20, y);
        y += kLineStep;
    }
    y += 10;
    for (const std::string_view line : kHowItGoes) {
        c.Draw(Words(line, pal::kSky), kMargin, y);
        y += kLineStep;
    }
    const font::Style prompt{{pal::kWhite, pal::kWhite, pal::kCyan, pal::kSky}, pal::kInk, 2, pal::kNight3, 2};
    c.Draw(font::Lettering("PRESS ANY KEY TO PLAY", 2, 3, prompt, kWidth, 32), 0, kHeight - 64);
    const CCanvas again = Words("H SHOWS THIS CARD AGAIN", pal::kSteelLight);
    c.Draw(again, (kWidth - again.Width()) / 2, kHeight - 27);
    return c;
}

}  // namespace art
