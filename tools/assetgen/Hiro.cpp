// Hiro, the player: 32 by 32, facing right (the host mirrors him), feet on the bottom row.
// Drawn from parts so that every frame shares one head and body: standing, walking, and the
// same two with both arms held forward to carry a box, hands on the right edge.
#include "Art.h"

namespace art {
namespace {

Rgba HiroKey(char c)
{
    switch (c) {
    case 'k': return pal::kInk;
    case 'h': return pal::kBrownDark;
    case 'H': return pal::kBrown;
    case 'r': return pal::kScarlet;
    case 'R': return pal::kRed;
    case 's': return pal::kSkin;
    case 'S': return pal::kSkinShade;
    case 'w': return pal::kWhite;
    case 'b': return pal::kBlue;
    case 'B': return pal::kNight3;
    case 'c': return pal::kSky;
    case 'y': return pal::kYellow;
    case 'p': return pal::kSteel;
    case 'P': return pal::kSteelDark;
    case 'o': return pal::kBrown;
    case 'O': return pal::kBrownDark;
    default: return pal::kClear;
    }
}

// Head and headband, rows 1 to 15 of a standing frame: a big chibi head whose band's tails fly
// out behind, so that Hiro fills his frame as widely as the fireballs' reach.
void PaintHead(CCanvas& c, int dy)
{
    c.Paint(0, 1 + dy, {
        "...........k..kk..k",
        "..........khkkhhkkhk.k",
        ".........khhhhhhhhhhkhk",
        "........khhhHHHHHHHhhhhk",
        "........khhHHhhhhhhhhhhhk",
        "........khhhhhhhhhhhhhhhk",
        "......kkkrrrrrrrrrrrrrrrk",
        "...kkkrrkRRRRRRRRRRRRRRRk",
        "..krrRRkkhhhssssssssssssk",
        "..kRRkk.khhsssssssssskssk",
        "...kk...khsSssssssssksssk",
        "........khsSssssssssssssk",
        ".........kSSsssssssssSSk",
        "..........kkSssssssskk",
        "...........kkkkkkkkkk",
    }, HiroKey);
}

// Jacket and belt, rows 15 to 22.
void PaintBody(CCanvas& c, int dy)
{
    c.Paint(0, 15 + dy, {
        "...........kkkkkkkkkk",
        "..........kbbbbbwwbbbk",
        "..........kbbbbbbwwbbk",
        "..........kcbbbbbbwbbk",
        "..........kcbbbbbbbbbk",
        "..........kcbbbbbbbbBk",
        "..........kBBBBBBBBBBk",
        "..........kkyyyyyyyykk",
    }, HiroKey);
}

void PaintArmsDown(CCanvas& c, int dy)
{
    c.Paint(0, 16 + dy, {
        ".........k...........k",
        "........kBk.........kbk",
        "........kBk.........kbk",
        "........kBk.........kbk",
        "........kBk.........kbk",
        "........kSk.........ksk",
        ".........k...........k",
    }, HiroKey);
}

// Both arms straight out in front, hands at the right edge where a carried box begins.
void PaintArmsForward(CCanvas& c, int dy)
{
    c.Paint(0, 16 + dy, {
        "....................kkkkkkkkkkk",
        "....................bbbbbbbbsssk",
        "....................cbbbbbbbSssk",
        "....................kkkkkkkkkkkk",
        ".....................BBBBBBSSSk",
        ".....................kkkkkkkkk",
    }, HiroKey);
}

// Legs from shapes, outlined on their own so diagonal strides keep an unbroken edge. The far
// leg is darker; boots point the way Hiro faces. hipY is the top of the legs.
struct Leg {
    float hipX;       // left edge of the leg at the hip
    float footX;      // left edge of the leg at the ankle
    int bootX;        // left edge of the boot
    bool far;
};

void PaintLegs(CCanvas& c, int hipY, const Leg (&legs)[2])
{
    constexpr int kAnkleY = 28;
    constexpr float kLegWidth = 5.0f;
    constexpr int kBootWidth = 6;
    CCanvas layer(kSpriteSize, kSpriteSize);
    for (const Leg& leg : legs) {
        const Rgba cloth = leg.far ? pal::kSteel : pal::kSteelLight;
        const float top = static_cast<float>(hipY);
        const float bottom = static_cast<float>(kAnkleY);
        layer.FillPolygon({{leg.hipX, top}, {leg.hipX + kLegWidth, top}, {leg.footX + kLegWidth, bottom},
                           {leg.footX, bottom}},
                          cloth);
        const Rgba leather = leg.far ? pal::kBrownDark : pal::kBrown;
        layer.FillRect(leg.bootX, kAnkleY, kBootWidth - 1, 1, leather);
        layer.FillRect(leg.bootX, kAnkleY + 1, kBootWidth, 2, leather);
        layer.FillRect(leg.bootX, kAnkleY + 2, kBootWidth, 1, pal::kBrownDark);
    }
    layer.Outline(pal::kInk);
    c.Draw(layer, 0, 0);
}

void PaintLegsStanding(CCanvas& c)
{
    PaintLegs(c, 22, {{11.0f, 11.0f, 12, true}, {16.0f, 16.0f, 17, false}});
}

// Mid-stride: far leg back to the left, near leg reaching forward.
void PaintLegsStriding(CCanvas& c)
{
    PaintLegs(c, 23, {{11.0f, 6.0f, 7, true}, {16.0f, 21.0f, 22, false}});
}

CCanvas Hiro(bool walking, bool carrying)
{
    CCanvas c(kSpriteSize, kSpriteSize);
    const int bob = walking ? 1 : 0;
    if (walking)
        PaintLegsStriding(c);
    else
        PaintLegsStanding(c);
    PaintHead(c, bob);
    PaintBody(c, bob);
    if (carrying)
        PaintArmsForward(c, bob);
    else
        PaintArmsDown(c, bob);
    return c;
}

}  // namespace

CCanvas HiroStanding() { return Hiro(false, false); }
CCanvas HiroWalking() { return Hiro(true, false); }
CCanvas HiroCarrying() { return Hiro(false, true); }
CCanvas HiroCarryingWalking() { return Hiro(true, true); }

}  // namespace art
