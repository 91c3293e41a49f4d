// Titles, menu entries, the menu arrow, the word bubble and the HUD digits, all set in the
// game's own font so that every word on screen shares one look.
#include "Art.h"

#include "PixelFont.h"

namespace art {
namespace {

const font::Style& TitleStyle()
{
    static const font::Style style{{pal::kPale, pal::kYellow, pal::kOrange, pal::kScarlet, pal::kRed},
                                   pal::kInk, 3, pal::kPlumDark, 5};
    return style;
}

const font::Style& MenuStyle()
{
    static const font::Style style{{pal::kWhite, pal::kWhite, pal::kCyan, pal::kSky}, pal::kInk, 2,
                                   pal::kNight3, 3};
    return style;
}

}  // namespace

CCanvas GameOver()
{
    return font::Lettering("GAME OVER", 7, 10, TitleStyle(), 400, 100);
}

CCanvas Retry()
{
    return font::Lettering("RETRY", 5, 6, MenuStyle(), 200, 60);
}

CCanvas Quit()
{
    return font::Lettering("QUIT", 5, 6, MenuStyle(), 200, 60);
}

CCanvas Paused()
{
    // The title, and under it how to go on: the picture is shown over a dimmed game.
    CCanvas c(240, 100);
    c.Draw(font::Lettering("PAUSED", 6, 7, MenuStyle(), 240, 70), 0, 0);
    CCanvas hint = font::Mask("P TO RESUME", 2, 2);
    hint.Recolor(pal::kSky, [](int, int) { return true; });
    hint.Outline(pal::kInk);
    c.Draw(hint, (240 - hint.Width()) / 2, 74);
    return c;
}

CCanvas Arrow()
{
    CCanvas mask(64, 48);
    mask.FillPolygon({{4, 17}, {32, 17}, {32, 6}, {56, 23}, {32, 40}, {32, 29}, {4, 29}}, pal::kWhite);
    const font::Style style{{pal::kPale, pal::kYellow, pal::kYellow, pal::kOrange}, pal::kInk, 2,
                            pal::kPlumDark, 3};
    return font::Stylize(mask, style);
}

CCanvas WordBubble()
{
    constexpr int kWidth = 64;
    constexpr int kHeight = 40;
    CCanvas c(kWidth, kHeight);
    // Rounded body above, the tail reaching down left toward Hiro's head.
    c.FillRect(4, 2, kWidth - 8, 28, pal::kWhite);
    c.FillRect(2, 4, kWidth - 4, 24, pal::kWhite);
    c.FillRect(3, 3, kWidth - 6, 26, pal::kWhite);
    c.FillPolygon({{8, 26}, {2, 37.5f}, {19, 27}}, pal::kWhite);
    // A cool shadow along the bottom of the body gives it some roundness.
    c.Recolor(pal::kSteelLight, [](int x, int y) { return y >= 27 && x > 18; });
    c.Outline(pal::kInk);
    CCanvas text = font::Mask("FIRE!", 2, 2);
    text.Recolor(pal::kScarlet, [](int, int) { return true; });
    CCanvas shade = text;
    shade.Recolor(pal::kRed, [](int, int) { return true; });
    const int tx = 2 + (kWidth - 4 - text.Width()) / 2;
    const int ty = 2 + (28 - text.Height()) / 2;
    c.Draw(shade, tx + 1, ty + 1);
    c.Draw(text, tx, ty);
    return c;
}

CCanvas Digit(int digit)
{
    const font::Style style{{pal::kWhite, pal::kWhite, pal::kWhite, pal::kSteelLight}, pal::kInk, 1,
                            pal::kInk, 1};
    const char text[2] = {static_cast<char>('0' + digit), '\0'};
    return font::Lettering(text, 5, 4, style, kSpriteSize, kSpriteSize);
}

}  // namespace art
