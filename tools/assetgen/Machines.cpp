// The gun, its ammunition crates and its bullets.
#include "Art.h"

#include "PixelFont.h"

namespace art {
namespace {

// The gun from simple shapes, outlined at the end. recoil pushes the barrel down. The barrel
// rises beside a flat-roofed magazine; roof and muzzle are flush with the top edge, so that
// Hiro, standing on the gun, stands on something.
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
    c.FillRect(2, 20, 28, 4, pal::kSteel);
    c.FillRect(2, 20, 28, 1, pal::kSteelLight);
    c.FillRect(2, 23, 28, 1, pal::kSteelDark);
    // Magazine: an olive armoured box like the crates that fill it, its roof a steel deck.
    constexpr int kMagazineX = 15;
    constexpr int kMagazineW = 14;
    c.FillRect(kMagazineX, 1, kMagazineW, 19, pal::kOlive);
    c.FillRect(kMagazineX, 1, kMagazineW, 2, pal::kSteelLight);
    c.FillRect(kMagazineX, 3, kMagazineW, 1, pal::kSteelDark);
    c.FillRect(kMagazineX + kMagazineW - 1, 4, 1, 16, pal::kOliveDark);
    c.FillRect(kMagazineX, 4, 1, 16, pal::kOliveLight);
    c.FillRect(kMagazineX + 2, 6, kMagazineW - 4, 4, pal::kOliveDark);   // hatch
    c.FillRect(kMagazineX + 3, 7, kMagazineW - 6, 2, pal::kNight2);
    c.FillRect(kMagazineX + 4, 7, 2, 1, pal::kCyan);                      // sight glass
    for (int x = kMagazineX + 1; x < kMagazineX + kMagazineW - 1; x += 2)
        c.FillRect(x, 14, 1, 2, pal::kYellow);                            // the belt of rounds
    c.FillRect(kMagazineX + 1, 16, kMagazineW - 2, 1, pal::kOliveDark);
    for (int x : {kMagazineX + 1, kMagazineX + kMagazineW - 2})
        c.FillRect(x, 18, 1, 1, pal::kOliveLight);                        // rivets
    // Turret ring at the barrel's foot, with the red band.
    c.FillEllipse(9.5f, 15.0f, 7.0f, 3.5f, pal::kSteel);
    c.FillRect(3, 15, 13, 5, pal::kSteel);
    c.FillRect(3, 15, 1, 5, pal::kSteelLight);
    c.FillRect(3, 16, 13, 2, pal::kScarlet);
    c.FillRect(3, 18, 13, 1, pal::kRed);
    // Barrel, bore centred on kMuzzleColumn, with cooling rings and a muzzle brake.
    const int top = recoil;
    const int length = 14 - recoil;
    c.FillRect(kMuzzleColumn - 3, top, 6, length, pal::kSteel);
    c.FillRect(kMuzzleColumn - 3, top, 2, length, pal::kSteelLight);
    c.FillRect(kMuzzleColumn + 2, top, 1, length, pal::kSteelDark);
    for (int ring : {7, 10})
        c.FillRect(kMuzzleColumn - 3, top + ring, 6, 1, pal::kSteelDark);
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
    // A steel round with a cyan band, outlined in ink: cold like the HUD it also stands in, so
    // that the ammunition row reads apart from the demons' fireballs.
    CCanvas c(8, 14);
    c.Paint(0, 1, {
        "...wl",
        "..wwll",
        "..wlls",
        ".wllsss",
        ".dddddd",
        ".wllssd",
        ".wccccd",
        ".wllssd",
        ".wllssd",
        ".wllssd",
        ".dddddd",
        ".llllsd",
    }, [](char ch) {
        switch (ch) {
        case 'w': return pal::kWhite;
        case 'l': return pal::kSteelLight;
        case 's': return pal::kSteel;
        case 'd': return pal::kSteelDark;
        case 'c': return pal::kCyan;
        default: return pal::kClear;
        }
    });
    c.Outline(pal::kInk);
    return c;
}

}  // namespace art
