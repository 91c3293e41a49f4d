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

// Head and headband, rows 2 to 15 of a standing frame.
void PaintHead(CCanvas& c, int dy)
{
    c.Paint(0, 2 + dy, {
        "............kkkkkk",
        "..........kkhhhhhhkk",
        ".........khhhHHHHhhhk",
        "........khhHHhhhhhhhhk",
        "........khhhhhhhhhhhhk",
        "......kkkrrrrrrrrrrrrk",
        ".....krrkRRRRRRRRRRRRk",
        "....krRkkhhhsssssssssk",
        "....kRk.khhsssssskssk",
        ".....k..khsSsssssksssk",
        "........khsSssssssssk",
        ".........kSSsssssSSk",
        "..........kkSsssskk",
        "...........kkkkkkk",
    }, HiroKey);
}

// Jacket and belt, rows 15 to 22.
void PaintBody(CCanvas& c, int dy)
{
    c.Paint(0, 15 + dy, {
        "...........kkkkkkkk",
        "..........kbbbwwbbbk",
        "..........kbbbbwwbbk",
        "..........kcbbbbwbbk",
        "..........kcbbbbbbbk",
        "..........kcbbbbbbBk",
        "..........kBBBBBBBBk",
        "..........kkyyyyyykk",
    }, HiroKey);
}

void PaintArmsDown(CCanvas& c, int dy)
{
    c.Paint(0, 16 + dy, {
        ".........k.........k",
        "........kBk.......kbk",
        "........kBk.......kbk",
        "........kBk.......kbk",
        "........kBk.......kbk",
        "........kSk.......ksk",
        ".........k.........k",
    }, HiroKey);
}

// Both arms straight out in front, hands at the right edge where a carried box begins.
void PaintArmsForward(CCanvas& c, int dy)
{
    c.Paint(0, 16 + dy, {
        "..................kkkkkkkkkkkkk",
        "..................bbbbbbbbbbsssk",
        "..................cbbbbbbbbbSssk",
        "..................kkkkkkkkkkkkkk",
        "...................BBBBBBBBSSSk",
        "...................kkkkkkkkkkk",
    }, HiroKey);
}

void PaintLegsStanding(CCanvas& c)
{
    c.Paint(0, 23, {
        "...........kpppppppk",
        "...........kpPpkpPpk",
        "...........kpPpkpPpk",
        "...........kpPpkpPpk",
        "...........kpPpkpPpk",
        "...........kOOokOOok",
        "...........kOoookOoook",
        "...........kOoookOoook",
        "...........kkkkkkkkkkk",
    }, HiroKey);
}

// Mid-stride: back leg out to the left, front leg reaching right.
void PaintLegsStriding(CCanvas& c)
{
    c.Paint(0, 24, {
        "...........kpppppppk",
        "..........kpPpkkpPppk",
        ".........kpPpk..kpPppk",
        "........kpPpk....kpPpk",
        "........kOOk.....kOOok",
        ".......kOoook....kOoooook",
        ".......kOoook.....kOoooook",
        ".......kkkkkk.....kkkkkkkk",
    }, HiroKey);
}

CCanvas Hiro(bool walking, bool carrying)
{
    CCanvas c(kSpriteSize, kSpriteSize);
    const int bob = walking ? 1 : 0;
    PaintHead(c, bob);
    PaintBody(c, bob);
    if (walking)
        PaintLegsStriding(c);
    else
        PaintLegsStanding(c);
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
