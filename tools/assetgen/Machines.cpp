// The gun, its ammunition crates and its bullets.
#include "Art.h"

#include "PixelFont.h"

namespace art {
namespace {

// The gun from simple shapes, outlined at the end. recoil pushes the barrel down.
CCanvas Gun(int recoil)
{
    CCanvas c(kSpriteSize, kSpriteSize);
    // Wheels: tyre, rim, hub.
    for (int wheelX : {8, 23}) {
        c.FillEllipse(static_cast<float>(wheelX) + 0.5f, 26.5f, 4.5f, 4.5f, pal::kNight2);
        c.FillEllipse(static_cast<float>(wheelX) + 0.5f, 26.5f, 2.6f, 2.6f, pal::kSteel);
        c.FillRect(wheelX, 26, 1, 1, pal::kSteelLight);
    }
    // Carriage.
    c.FillRect(3, 20, 26, 4, pal::kSteel);
    c.FillRect(3, 20, 26, 1, pal::kSteelLight);
    c.FillRect(3, 23, 26, 1, pal::kSteelDark);
    // Ammunition can on the right, olive like the crates that fill it, with a belt feeding in.
    c.FillRect(20, 12, 8, 8, pal::kOlive);
    c.FillRect(20, 12, 8, 1, pal::kOliveLight);
    c.FillRect(27, 12, 1, 8, pal::kOliveDark);
    c.FillRect(21, 16, 6, 1, pal::kYellow);
    // Turret: a domed block, lit from the left, with a red band.
    c.FillEllipse(12.5f, 13.0f, 7.5f, 4.5f, pal::kSteel);
    c.FillRect(5, 13, 16, 8, pal::kSteel);
    c.FillRect(5, 13, 1, 7, pal::kSteelLight);
    c.FillRect(6, 10, 5, 1, pal::kSteelLight);
    c.FillRect(20, 13, 1, 7, pal::kSteelDark);
    c.FillRect(5, 15, 16, 2, pal::kScarlet);
    c.FillRect(5, 17, 16, 1, pal::kRed);
    c.FillRect(16, 11, 2, 1, pal::kCyan);   // gun sight
    // Barrel, bore centred on kMuzzleColumn, with a cooling ring and a muzzle brake.
    const int top = recoil;
    c.FillRect(kMuzzleColumn - 3, top, 6, 12, pal::kSteel);
    c.FillRect(kMuzzleColumn - 3, top, 2, 12, pal::kSteelLight);
    c.FillRect(kMuzzleColumn + 2, top, 1, 12, pal::kSteelDark);
    c.FillRect(kMuzzleColumn - 3, top + 7, 6, 1, pal::kSteelDark);
    c.FillRect(kMuzzleColumn - 4, top, 8, 4, pal::kSteel);
    c.FillRect(kMuzzleColumn - 4, top, 2, 4, pal::kSteelLight);
    c.FillRect(kMuzzleColumn + 3, top, 1, 4, pal::kSteelDark);
    c.FillRect(kMuzzleColumn - 4, top + 2, 8, 1, pal::kSteelDark);
    c.FillRect(kMuzzleColumn - 1, top, 2, 1, pal::kInk);  // the bore
    c.Outline(pal::kInk);
    return c;
}

}  // namespace

CCanvas ShooterIdle()
{
    return Gun(0);
}

CCanvas ShooterFiring()
{
    CCanvas c = Gun(3);
    // Muzzle flash over the recoiled barrel: a hot star, unoutlined so it reads as light.
    const float fx = static_cast<float>(kMuzzleColumn);
    c.FillPolygon({{fx, -2.0f}, {fx + 1.6f, 1.5f}, {fx + 7.0f, 0.0f}, {fx + 2.6f, 3.0f}, {fx + 5.0f, 7.0f},
                   {fx, 4.5f}, {fx - 5.0f, 7.0f}, {fx - 2.6f, 3.0f}, {fx - 7.0f, 0.0f}, {fx - 1.6f, 1.5f}},
                  pal::kOrange);
    c.FillEllipse(fx, 2.5f, 3.0f, 2.5f, pal::kYellow);
    c.FillEllipse(fx, 2.0f, 1.5f, 1.5f, pal::kPale);
    c.Set(kMuzzleColumn - 8, 3, pal::kYellow);
    c.Set(kMuzzleColumn + 8, 4, pal::kYellow);
    c.Set(kMuzzleColumn + 6, 7, pal::kOrange);
    c.Set(kMuzzleColumn - 6, 8, pal::kOrange);
    return c;
}

CCanvas AmmoBox()
{
    CCanvas c(kSpriteSize, kSpriteSize);
    // Carrying handle.
    c.FillRect(12, 10, 8, 2, pal::kSteel);
    c.FillRect(12, 10, 8, 1, pal::kSteelLight);
    c.FillRect(12, 12, 2, 2, pal::kSteel);
    c.FillRect(18, 12, 2, 2, pal::kSteel);
    // Crate: olive planks between steel edges.
    c.FillRect(1, 14, 30, 17, pal::kOlive);
    c.FillRect(1, 14, 30, 2, pal::kOliveLight);
    c.FillRect(1, 29, 30, 2, pal::kOliveDark);
    for (int x : {1, 29}) {
        c.FillRect(x, 14, 2, 17, pal::kSteel);
        c.FillRect(x, 14, 1, 17, pal::kSteelLight);
    }
    c.FillRect(3, 17, 26, 1, pal::kOliveDark);
    c.FillRect(3, 27, 26, 1, pal::kOliveDark);
    const CCanvas label = font::Mask("AMMO", 1, 1);
    CCanvas stencil = label;
    stencil.Recolor(pal::kYellow, [](int, int) { return true; });
    c.Draw(stencil, (kSpriteSize - label.Width()) / 2, 19);
    c.Outline(pal::kInk);
    return c;
}

CCanvas Bullet()
{
    CCanvas c(6, 12);
    c.Paint(0, 0, {
        "..pp..",
        ".pwwp.",
        ".ywwy.",
        "yywwyy",
        "yyppyy",
        "oyyyyo",
        "oyyyyo",
        ".oyyo.",
        ".oooo.",
        "..rr..",
        "..RR..",
        "..rr..",
    }, [](char ch) {
        switch (ch) {
        case 'w': return pal::kWhite;
        case 'p': return pal::kPale;
        case 'y': return pal::kYellow;
        case 'o': return pal::kOrange;
        case 'r': return pal::kScarlet.WithAlpha(110);
        case 'R': return pal::kScarlet.WithAlpha(170);
        default: return pal::kClear;
        }
    });
    return c;
}

}  // namespace art
