// Contact sheet and mock screens.
#include "Preview.h"

#include <algorithm>
#include <string>

#include "Art.h"
#include "AssetCatalog.h"
#include "HudLayout.h"
#include "PixelFont.h"

namespace preview {
namespace {

constexpr int kSheetWidth = 1320;
constexpr int kPadding = 12;
constexpr int kLabelHeight = 12;
constexpr int kSmallScale = 3;     // sprites up to 64 pixels are shown enlarged
constexpr int kCheck = 8;

CCanvas Label(const std::string& text)
{
    std::string upper;
    for (char ch : text)
        upper.push_back(static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch));
    CCanvas mask = font::Mask(upper, 1, 1);
    mask.Recolor(pal::kSteelLight, [](int, int) { return true; });
    return mask;
}

struct Cell {
    std::string name;
    CCanvas picture;
};

int Pixel(float screenPosition)
{
    return static_cast<int>(screenPosition);
}

// A row of HUD icons as the game lays it out.
void DrawIcons(CCanvas& screen, const CCanvas& icon, int count, float step, float y)
{
    for (int i = 0; i < count; ++i)
        screen.DrawCentered(icon, Pixel(hud::kIconX + step * static_cast<float>(i)), Pixel(y));
}

void DrawDigits(CCanvas& screen, int value, float y)
{
    const std::string text = std::to_string(value);
    float x = hud::NumberRowX(static_cast<int>(text.size()));
    for (char ch : text) {
        screen.DrawCentered(art::Digit(ch - '0'), Pixel(x), Pixel(y));
        x += hud::kDigitStep;
    }
}

// The screen as the game draws it in play, in its creation order.
CCanvas Scene(bool showBubble)
{
    CCanvas screen = art::Background();
    const float heroX = 420.0f;
    // Hiro carrying a box leftward toward the gun: the host mirrors him, the box is 32 in front.
    screen.DrawCentered(art::HiroCarryingWalking().Mirrored(), static_cast<int>(heroX), 464);
    screen.DrawCentered(art::ShooterFiring(), 320, 464);
    screen.DrawCentered(art::AmmoBox(), 16, 464);
    screen.DrawCentered(art::AmmoBox(), static_cast<int>(heroX) - 32, 464);
    screen.DrawCentered(art::DemonGlide(), 160, 96);
    screen.DrawCentered(art::DemonChew(), 470, 180);
    screen.DrawCentered(art::DemonGlide(), 300, 48);
    screen.DrawCentered(art::Fireball(), 470, 330);
    screen.DrawCentered(art::Fireball(), 160, 250);
    screen.DrawCentered(art::Bullet(), 314, 400);
    screen.DrawCentered(art::Bullet(), 314, 180);
    if (showBubble)
        screen.DrawCentered(art::WordBubble(), static_cast<int>(heroX) + 48, 464 - 28);
    DrawIcons(screen, art::HiroStanding(), 3, hud::kLivesStep, hud::kLivesY);
    DrawIcons(screen, art::Bullet(), 5, hud::kAmmoStep, hud::kAmmoY);
    DrawDigits(screen, 1250, hud::kScoreY);
    DrawDigits(screen, 4800, hud::kHighScoreY);
    return screen;
}

}  // namespace

CCanvas ContactSheet()
{
    std::vector<Cell> cells;
    for (const ImageAsset& asset : ImageAssets()) {
        CCanvas picture = asset.make();
        if (std::max(picture.Width(), picture.Height()) <= 64)
            picture = picture.Scaled(kSmallScale, kSmallScale);
        cells.push_back({asset.name.substr(0, asset.name.size() - 4), picture});
    }
    // How a carried box meets Hiro's hands.
    CCanvas carry(64, 32);
    carry.Draw(art::HiroCarrying(), 0, 0);
    carry.Draw(art::AmmoBox(), 32, 0);
    cells.push_back({"carrying", carry.Scaled(kSmallScale, kSmallScale)});
    // How Hiro stands on the gun: his centre 32 above the gun's, his feet on its top.
    CCanvas onGun(32, 64);
    onGun.Draw(art::ShooterIdle(), 0, 32);
    onGun.Draw(art::HiroStanding(), 0, 0);
    cells.push_back({"on the gun", onGun.Scaled(kSmallScale, kSmallScale)});

    // Flow the cells into rows, then paint them over a checkerboard that shows transparency.
    struct Placed {
        int x, y;
    };
    std::vector<Placed> places;
    int x = kPadding, y = kPadding, rowHeight = 0;
    for (const Cell& cell : cells) {
        if (x + cell.picture.Width() + kPadding > kSheetWidth) {
            x = kPadding;
            y += rowHeight + kLabelHeight + kPadding;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += cell.picture.Width() + kPadding;
        rowHeight = std::max(rowHeight, cell.picture.Height());
    }
    const int height = y + rowHeight + kLabelHeight + kPadding;
    CCanvas sheet(kSheetWidth, height, pal::kNight1);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const CCanvas& picture = cells[i].picture;
        const Placed at = places[i];
        for (int j = 0; j < picture.Height(); ++j)
            for (int k = 0; k < picture.Width(); ++k)
                sheet.Set(at.x + k, at.y + j, ((k / kCheck + j / kCheck) % 2) != 0 ? pal::kSteelDark : pal::kSteel);
        sheet.Draw(picture, at.x, at.y);
        sheet.Draw(Label(cells[i].name), at.x, at.y + picture.Height() + 3);
    }
    return sheet;
}

CCanvas PlayScene()
{
    return Scene(true);
}

CCanvas MenuScene()
{
    CCanvas screen = Scene(false);
    screen.DrawCentered(art::GameOver(), 320, 140);
    screen.DrawCentered(art::Retry(), 320, 268);
    screen.DrawCentered(art::Quit(), 320, 352);
    screen.DrawCentered(art::Arrow(), 120, 268);
    return screen;
}

namespace {

// The game as the host shows it under one of its overlays: dimmed, the picture placed on top.
CCanvas DimmedScene(const CCanvas& overlay, int centreY)
{
    CCanvas screen = Scene(false);
    for (int y = 0; y < screen.Height(); ++y)
        for (int x = 0; x < screen.Width(); ++x)
            screen.Blend(x, y, pal::kInk.WithAlpha(140));
    screen.DrawCentered(overlay, 320, centreY);
    return screen;
}

}  // namespace

CCanvas PauseScene()
{
    return DimmedScene(art::Paused(), 56);
}

CCanvas HowToPlayScene()
{
    // Where the host draws it: below the HUD, whose numbers the card names.
    return DimmedScene(art::HowToPlay(), 270);
}

}  // namespace preview
