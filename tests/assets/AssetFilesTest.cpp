// The generated pictures: each loads in SDL2 with its size and format, sprites carry real
// transparency, and the art fits the places where the game's geometry makes things meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "AssetTestSupport.h"
#include "EntityFactory.h"
#include "GameHost.h"

using namespace assettest;

namespace {

struct ImageSpec {
    const char* name;
    int width;
    int height;
    int bitsPerPixel;
};

const std::vector<ImageSpec>& Images()
{
    static const std::vector<ImageSpec> images = [] {
        std::vector<ImageSpec> list = {
            {"Background.bmp", 640, 480, 24}, {"Hiro.bmp", 32, 32, 32},
            {"Hiro-walk.bmp", 32, 32, 32},    {"Hiro-carry1.bmp", 32, 32, 32},
            {"Hiro-carry2.bmp", 32, 32, 32},  {"Shooter.bmp", 32, 32, 32},
            {"Shooter-fire.bmp", 32, 32, 32}, {"AmmoBox.bmp", 32, 32, 32},
            {"Bullet.bmp", 8, 14, 32},        {"Fireball.bmp", 32, 32, 32},
            {"Demon.bmp", 64, 64, 32},        {"Demon-chew.bmp", 64, 64, 32},
            {"GameOver.bmp", 400, 100, 32},   {"Retry.bmp", 200, 60, 32},
            {"Quit.bmp", 200, 60, 32},        {"Arrow.bmp", 64, 48, 32},
            {"WordBubble.bmp", 64, 40, 32},   {"Paused.bmp", 240, 100, 32},
            {"HowToPlay.bmp", 560, 372, 32},
            {"Icon.bmp", 32, 32, 32},
        };
        static const char* const kDigits[] = {"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp",
                                              "5.bmp", "6.bmp", "7.bmp", "8.bmp", "9.bmp"};
        for (const char* digit : kDigits)
            list.push_back({digit, 32, 32, 32});
        return list;
    }();
    return images;
}

int CountWhere(const Pixels& p, bool (*test)(const SDL_Color&))
{
    return static_cast<int>(std::count_if(p.data.begin(), p.data.end(), test));
}

bool IsClear(const SDL_Color& c) { return c.a == 0; }
bool IsSolid(const SDL_Color& c) { return c.a == 255; }

bool RowHasSolid(const Pixels& p, int y)
{
    for (int x = 0; x < p.width; ++x)
        if (IsSolid(p.At(x, y)))
            return true;
    return false;
}

bool ColumnHasSolid(const Pixels& p, int x)
{
    for (int y = 0; y < p.height; ++y)
        if (IsSolid(p.At(x, y)))
            return true;
    return false;
}

// Share of pixels that differ between two pictures of one size.
double Difference(const Pixels& a, const Pixels& b)
{
    int differing = 0;
    for (std::size_t i = 0; i < a.data.size(); ++i) {
        const SDL_Color& x = a.data[i];
        const SDL_Color& y = b.data[i];
        if (x.r != y.r || x.g != y.g || x.b != y.b || x.a != y.a)
            ++differing;
    }
    return static_cast<double>(differing) / static_cast<double>(a.data.size());
}

}  // namespace

TEST(AssetImages, EveryPictureLoadsInSdlWithItsSizeAndFormat)
{
    for (const ImageSpec& spec : Images()) {
        SCOPED_TRACE(spec.name);
        Surface surface = LoadBmp(ImagePath(spec.name));
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        EXPECT_EQ(surface->w, spec.width);
        EXPECT_EQ(surface->h, spec.height);
        EXPECT_EQ(surface->format->BitsPerPixel, spec.bitsPerPixel);
        if (spec.bitsPerPixel == 32)
            EXPECT_NE(surface->format->Amask, 0u) << "SDL must see the alpha channel";
        else
            EXPECT_EQ(surface->format->Amask, 0u);
    }
}

TEST(AssetImages, SpritesAreSeeThroughAroundAnOpaqueFigure)
{
    for (const ImageSpec& spec : Images()) {
        if (spec.bitsPerPixel != 32)
            continue;
        SCOPED_TRACE(spec.name);
        const Pixels p = ReadImage(spec.name);
        ASSERT_EQ(p.width, spec.width);
        const int clear = CountWhere(p, IsClear);
        const int solid = CountWhere(p, IsSolid);
        EXPECT_GT(clear, 0) << "no transparent pixel";
        EXPECT_GT(solid, static_cast<int>(p.data.size()) / 10) << "hardly anything to see";
        EXPECT_TRUE(IsClear(p.At(0, 0)) || spec.name == std::string("Icon.bmp")) << "top left corner shows";
    }
}

TEST(AssetImages, SdlBlendsSpritesOverWhatIsBehindThem)
{
    // Blit onto a solid backdrop: clear pixels keep the backdrop, solid ones replace it.
    Surface sprite = LoadBmp(ImagePath("Hiro.bmp"));
    ASSERT_NE(sprite, nullptr);
    Surface backdrop(SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_RGBA32));
    ASSERT_NE(backdrop, nullptr);
    SDL_FillRect(backdrop.get(), nullptr, SDL_MapRGBA(backdrop->format, 10, 200, 30, 255));
    ASSERT_EQ(SDL_BlitSurface(sprite.get(), nullptr, backdrop.get(), nullptr), 0);
    const Pixels source = ReadPixels(sprite.get());
    const Pixels result = ReadPixels(backdrop.get());
    int checked = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const SDL_Color& s = source.At(x, y);
            const SDL_Color& r = result.At(x, y);
            if (IsClear(s)) {
                EXPECT_EQ(r.r, 10);
                EXPECT_EQ(r.g, 200);
                ++checked;
            } else if (IsSolid(s)) {
                EXPECT_EQ(r.r, s.r);
                EXPECT_EQ(r.g, s.g);
                EXPECT_EQ(r.b, s.b);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 32 * 32);
}

TEST(AssetImages, LetteringIsNotCutOffAtTheEdges)
{
    for (const char* name : {"GameOver.bmp", "Retry.bmp", "Quit.bmp", "Paused.bmp", "WordBubble.bmp",
                             "Arrow.bmp"}) {
        SCOPED_TRACE(name);
        const Pixels p = ReadImage(name);
        ASSERT_GT(p.width, 0);
        EXPECT_FALSE(ColumnHasSolid(p, 0) || ColumnHasSolid(p, p.width - 1));
        EXPECT_FALSE(RowHasSolid(p, 0) || RowHasSolid(p, p.height - 1));
    }
}

TEST(AssetImages, FiguresStandOnTheFloorLine)
{
    // Sprites centred at y 464 end at 480: whatever stands on the floor fills its bottom row.
    for (const char* name : {"Hiro.bmp", "Hiro-walk.bmp", "Hiro-carry1.bmp", "Hiro-carry2.bmp",
                             "Shooter.bmp", "Shooter-fire.bmp", "AmmoBox.bmp"}) {
        SCOPED_TRACE(name);
        const Pixels p = ReadImage(name);
        ASSERT_EQ(p.height, 32);
        EXPECT_TRUE(RowHasSolid(p, 31));
    }
}

TEST(AssetImages, CarryingHiroHoldsHisHandsAtTheCarriedBoxAndWalkingFramesDiffer)
{
    // The box is carried 32 pixels in front: it begins where Hiro's sprite ends on the right.
    const Pixels standing = ReadImage("Hiro.bmp");
    const Pixels walking = ReadImage("Hiro-walk.bmp");
    const Pixels carrying = ReadImage("Hiro-carry1.bmp");
    const Pixels carryWalking = ReadImage("Hiro-carry2.bmp");
    EXPECT_FALSE(ColumnHasSolid(standing, 31));
    EXPECT_FALSE(ColumnHasSolid(walking, 31));
    EXPECT_TRUE(ColumnHasSolid(carrying, 31));
    EXPECT_TRUE(ColumnHasSolid(carryWalking, 31));
    EXPECT_TRUE(ColumnHasSolid(ReadImage("AmmoBox.bmp"), 0));
    EXPECT_GT(Difference(standing, walking), 0.05);
    EXPECT_GT(Difference(carrying, carryWalking), 0.05);
    EXPECT_GT(Difference(standing, carrying), 0.05);
}

TEST(AssetImages, TheGunHasAFlatTopWithItsMuzzleWhereBulletsStart)
{
    for (const char* name : {"Shooter.bmp", "Shooter-fire.bmp"}) {
        SCOPED_TRACE(name);
        const Pixels gun = ReadImage(name);
        ASSERT_EQ(gun.width, 32);
        // Hiro stands with his feet on the row above the gun's frame: its top must carry him.
        int carrying = 0;
        for (int x = 0; x < gun.width; ++x)
            carrying += (IsSolid(gun.At(x, 0)) || IsSolid(gun.At(x, 1)) || IsSolid(gun.At(x, 2))) ? 1 : 0;
        EXPECT_GE(carrying, 20);
    }
    // Bullets start 6 pixels left of the gun's centre: the bore, a dark slot between the muzzle's
    // lit walls on the top row, is centred there.
    const Pixels gun = ReadImage("Shooter.bmp");
    auto dark = [](const SDL_Color& c) { return IsSolid(c) && c.r + c.g + c.b < 90; };
    int boreFirst = -1, boreLast = -1;
    for (int x = 1; x + 1 < gun.width; ++x) {
        if (!dark(gun.At(x, 0)))
            continue;
        int end = x;
        while (end + 1 < gun.width && dark(gun.At(end + 1, 0)))
            ++end;
        if (IsSolid(gun.At(x - 1, 0)) && !dark(gun.At(x - 1, 0)) && end + 1 < gun.width &&
            IsSolid(gun.At(end + 1, 0)) && !dark(gun.At(end + 1, 0))) {
            boreFirst = x;
            boreLast = end;
            break;
        }
        x = end;
    }
    ASSERT_GE(boreFirst, 0) << "no bore on the top row";
    EXPECT_DOUBLE_EQ((boreFirst + boreLast + 1) / 2.0, 16.0 - 6.0);
}

TEST(AssetImages, FiguresFillTheReachOfTheHitsBetweenThem)
{
    // A fireball hits Hiro within 32 pixels of centre on both axes, a bullet a demon within 33
    // across and 44 up or down. Pictures that look like a miss at a hit are read as unfair: the
    // two figures together must span at least three quarters of twice that distance.
    auto extent = [](const std::string& name) {
        const Pixels p = ReadImage(name);
        int x0 = p.width, y0 = p.height, x1 = -1, y1 = -1;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                if (IsClear(p.At(x, y)))
                    continue;
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
        return std::pair<int, int>{x1 - x0 + 1, y1 - y0 + 1};
    };
    const auto fireball = extent("Fireball.bmp");
    for (const char* hiro : {"Hiro.bmp", "Hiro-walk.bmp", "Hiro-carry1.bmp", "Hiro-carry2.bmp"}) {
        SCOPED_TRACE(hiro);
        const auto figure = extent(hiro);
        EXPECT_GE(figure.first + fireball.first, 48);
        EXPECT_GE(figure.second + fireball.second, 48);
    }
    const auto bullet = extent("Bullet.bmp");
    for (const char* demon : {"Demon.bmp", "Demon-chew.bmp"}) {
        SCOPED_TRACE(demon);
        const auto figure = extent(demon);
        EXPECT_GE(figure.first + bullet.first, 50);
        EXPECT_GE(figure.second + bullet.second, 66);
    }
}

TEST(AssetImages, TheAmmunitionIconSharesNoColourWithTheFireball)
{
    // The bullet is also the HUD's ammunition icon; it must not read as a small fireball.
    const Pixels bullet = ReadImage("Bullet.bmp");
    const Pixels fireball = ReadImage("Fireball.bmp");
    ASSERT_GT(bullet.width, 0);
    ASSERT_GT(fireball.width, 0);
    auto same = [](const SDL_Color& a, const SDL_Color& b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    for (const SDL_Color& b : bullet.data) {
        if (IsClear(b))
            continue;
        for (const SDL_Color& f : fireball.data)
            ASSERT_FALSE(!IsClear(f) && same(b, f)) << int(b.r) << "," << int(b.g) << "," << int(b.b);
    }
}

TEST(AssetImages, AnimationFramesAreClearlyDifferent)
{
    EXPECT_GT(Difference(ReadImage("Demon.bmp"), ReadImage("Demon-chew.bmp")), 0.15);
    const Pixels idle = ReadImage("Shooter.bmp");
    const Pixels firing = ReadImage("Shooter-fire.bmp");
    // The flash lights up the top of the fire frame.
    int idleWarm = 0, firingWarm = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 32; ++x) {
            auto warm = [](const SDL_Color& c) { return IsSolid(c) && c.r > 200 && c.b < 160; };
            idleWarm += warm(idle.At(x, y)) ? 1 : 0;
            firingWarm += warm(firing.At(x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(firingWarm, idleWarm + 10);
}

TEST(AssetImages, TheTenDigitsAreAllDifferent)
{
    std::vector<Pixels> digits;
    for (int d = 0; d <= 9; ++d)
        digits.push_back(ReadImage(std::to_string(d) + ".bmp"));
    for (int a = 0; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b)
            EXPECT_GT(Difference(digits[static_cast<std::size_t>(a)], digits[static_cast<std::size_t>(b)]), 0.02)
                << a << " and " << b;
}

TEST(AssetImages, TheBackgroundIsOpaqueAndTheFloorBandSetsItselfApart)
{
    const Pixels p = ReadImage("Background.bmp");
    ASSERT_EQ(p.width, 640);
    EXPECT_EQ(CountWhere(p, IsSolid), 640 * 480);
    // Just above the floor band and just inside it are not the same colour everywhere.
    int differing = 0;
    for (int x = 0; x < 640; ++x) {
        const SDL_Color& above = p.At(x, 446);
        const SDL_Color& below = p.At(x, 452);
        differing += (above.r != below.r || above.g != below.g || above.b != below.b) ? 1 : 0;
    }
    EXPECT_GT(differing, 600);
}

TEST(AssetFiles, EveryFileTheGameLoadsExists)
{
    // Whatever the game's set-up asks the host for, the build must have made.
    GameHost host;
    host.StartGame();
    int asked = 0;
    for (const std::string& call : host.calls) {
        std::istringstream words(call);
        std::string operation, path;
        words >> operation >> path;
        if (operation != "LoadImage" && operation != "LoadBackgroundImage" && operation != "LoadSound")
            continue;
        ++asked;
        std::replace(path.begin(), path.end(), '\\', '/');
        EXPECT_TRUE(std::filesystem::is_regular_file(DataDir() / path)) << path;
    }
    EXPECT_EQ(asked, 17 + 10 + 6);
    EXPECT_TRUE(host.attachResult);
}
