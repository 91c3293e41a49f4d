// The backdrop (a quiet night over a sleeping town, a cobbled road along the bottom) and the
// window icon.
#include "Art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace art {
namespace {

// Fixed xorshift, so the stars and houses land in the same places on every run.
class CScatter {
public:
    explicit CScatter(uint32_t seed) : state(seed) {}
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int Below(int limit) { return static_cast<int>(Next() % static_cast<uint32_t>(limit)); }

private:
    uint32_t state;
};

// 4 by 4 ordered dither threshold, 0 to 15.
int Bayer(int x, int y)
{
    static constexpr std::array<int, 16> kMatrix = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
    return kMatrix[static_cast<std::size_t>((y & 3) * 4 + (x & 3))];
}

// True where a mix of amount (0 to 1) of the second colour should show it.
bool Dither(int x, int y, float amount)
{
    return static_cast<float>(Bayer(x, y)) + 0.5f < amount * 16.0f;
}

struct Stop {
    int y;
    Rgba color;
};

void PaintSky(CCanvas& c)
{
    static constexpr std::array<Stop, 5> kStops = {{{0, pal::kNight0}, {110, pal::kNight1},
                                                     {215, pal::kNight2}, {305, pal::kNight3},
                                                     {395, pal::kNight4}}};
    for (int y = 0; y < kFloorTop; ++y) {
        std::size_t i = 0;
        while (i + 2 < kStops.size() && y >= kStops[i + 1].y)
            ++i;
        const Stop& a = kStops[i];
        const Stop& b = kStops[i + 1];
        const float t = std::clamp(static_cast<float>(y - a.y) / static_cast<float>(b.y - a.y), 0.0f, 1.0f);
        // Flat bands with a dithered seam between them, the way an old palette shows a gradient.
        const float mix = std::clamp((t - 0.1f) / 0.8f, 0.0f, 1.0f);
        for (int x = 0; x < c.Width(); ++x)
            c.Set(x, y, Dither(x, y, mix) ? b.color : a.color);
    }
}

constexpr int kMoonX = 548;
constexpr int kMoonY = 124;
constexpr float kMoonRadius = 19.0f;

void PaintStars(CCanvas& c)
{
    CScatter scatter(0x57a25u);
    for (int i = 0; i < 170; ++i) {
        const int x = scatter.Below(c.Width());
        // Squared so stars thin out toward the horizon glow.
        const float r = static_cast<float>(scatter.Below(1000)) / 1000.0f;
        const int y = static_cast<int>(r * r * 330.0f);
        const int kind = scatter.Below(20);
        if (std::hypot(static_cast<float>(x - kMoonX), static_cast<float>(y - kMoonY)) < 44.0f)
            continue;
        if (kind < 12) {
            c.Set(x, y, pal::kSteel);
        } else if (kind < 18) {
            c.Set(x, y, pal::kSteelLight);
        } else {
            c.Set(x, y, pal::kWhite);
            c.Set(x - 1, y, pal::kSteel);
            c.Set(x + 1, y, pal::kSteel);
            c.Set(x, y - 1, pal::kSteel);
            c.Set(x, y + 1, pal::kSteel);
        }
    }
}

void PaintMoon(CCanvas& c)
{
    // A faint halo, then the disc, shaded on its lower right, with a few craters.
    for (int y = kMoonY - 40; y <= kMoonY + 40; ++y) {
        for (int x = kMoonX - 40; x <= kMoonX + 40; ++x) {
            const float d = std::hypot(static_cast<float>(x - kMoonX), static_cast<float>(y - kMoonY));
            if (d < 31.0f && d > kMoonRadius)
                c.Set(x, y, Dither(x, y, 0.5f) ? pal::kNight3 : c.Get(x, y));
            else if (d < 38.0f && d >= 31.0f && Dither(x, y, 0.25f))
                c.Set(x, y, pal::kNight3);
        }
    }
    c.FillEllipse(kMoonX + 0.5f, kMoonY + 0.5f, kMoonRadius, kMoonRadius, pal::kYellow);
    c.FillEllipse(kMoonX - 1.5f, kMoonY - 1.5f, kMoonRadius - 2.0f, kMoonRadius - 2.0f, pal::kPale);
    c.FillEllipse(kMoonX - 6.0f, kMoonY - 4.0f, 4.0f, 3.5f, pal::kYellow);
    c.FillEllipse(kMoonX + 6.0f, kMoonY + 6.0f, 3.0f, 3.0f, pal::kYellow);
    c.FillEllipse(kMoonX + 3.0f, kMoonY - 9.0f, 2.0f, 2.0f, pal::kYellow);
    c.FillEllipse(kMoonX - 8.0f, kMoonY + 8.0f, 1.6f, 1.6f, pal::kYellow);
}

void PaintMountains(CCanvas& c)
{
    for (int x = 0; x < c.Width(); ++x) {
        const float fx = static_cast<float>(x);
        const float ridge = 350.0f + 22.0f * std::sin(fx * 0.0105f + 1.3f) + 11.0f * std::sin(fx * 0.029f + 0.4f) +
                            4.0f * std::sin(fx * 0.083f + 2.0f);
        const int top = static_cast<int>(ridge);
        for (int y = top; y < kFloorTop; ++y)
            c.Set(x, y, y == top ? pal::kNight3 : pal::kNight2);
    }
}

// Rooftops, a church and trees in silhouette; a few windows still lit.
void PaintTown(CCanvas& c)
{
    constexpr int kGroundLine = kFloorTop;
    CScatter scatter(0x70a4u);
    int x = -10;
    while (x < c.Width()) {
        const int kind = scatter.Below(10);
        if (kind < 3) {
            // A round tree.
            const int r = 9 + scatter.Below(6);
            const int trunkTop = kGroundLine - 8 - scatter.Below(6);
            c.FillEllipse(static_cast<float>(x + r), static_cast<float>(trunkTop - r + 4), static_cast<float>(r),
                          static_cast<float>(r), pal::kNight1);
            c.FillRect(x + r - 1, trunkTop, 3, kGroundLine - trunkTop, pal::kNight1);
            x += 2 * r + 2;
            continue;
        }
        const int width = 28 + scatter.Below(26);
        const int height = 22 + scatter.Below(24);
        const int wallTop = kGroundLine - height;
        const int roof = 10 + scatter.Below(8);
        c.FillRect(x, wallTop, width, height, pal::kNight1);
        c.FillPolygon({{static_cast<float>(x - 2), static_cast<float>(wallTop)},
                       {static_cast<float>(x) + static_cast<float>(width) / 2.0f, static_cast<float>(wallTop - roof)},
                       {static_cast<float>(x + width + 2), static_cast<float>(wallTop)}},
                      pal::kNight1);
        if (kind == 9) {
            // A church tower with a spire.
            const int towerX = x + width / 2 - 6;
            c.FillRect(towerX, wallTop - roof - 26, 12, 30, pal::kNight1);
            c.FillPolygon({{static_cast<float>(towerX - 1), static_cast<float>(wallTop - roof - 26)},
                           {static_cast<float>(towerX + 6), static_cast<float>(wallTop - roof - 48)},
                           {static_cast<float>(towerX + 13), static_cast<float>(wallTop - roof - 26)}},
                          pal::kNight1);
            c.FillRect(towerX + 4, wallTop - roof - 18, 4, 6, pal::kOrange);
        } else if (scatter.Below(3) == 0) {
            // A chimney.
            c.FillRect(x + width / 4, wallTop - roof + 2, 4, 8, pal::kNight1);
        }
        // Windows: a grid, a few lit warm.
        for (int wy = wallTop + 6; wy + 5 < kGroundLine - 4; wy += 11) {
            for (int wx = x + 5; wx + 4 < x + width - 3; wx += 10) {
                const int lit = scatter.Below(9);
                if (lit == 0)
                    c.FillRect(wx, wy, 4, 5, pal::kYellow);
                else if (lit == 1)
                    c.FillRect(wx, wy, 4, 5, pal::kOrange);
            }
        }
        x += width + 3 + scatter.Below(8);
    }
}

// Cobbles in three courses, smaller toward the back, under a line of grass.
void PaintGround(CCanvas& c)
{
    c.FillRect(0, kFloorTop, c.Width(), kScreenHeight - kFloorTop, pal::kNight1);
    static constexpr std::array<int, 3> kCourseHeights = {8, 10, 12};
    CScatter scatter(0xc0bb1eu);
    int y = kFloorTop + 2;
    for (std::size_t course = 0; course < kCourseHeights.size(); ++course) {
        const int h = kCourseHeights[course];
        int x = -static_cast<int>(course) * 7 - scatter.Below(6);
        while (x < c.Width()) {
            const int w = h * 2 + scatter.Below(h);
            c.FillRect(x + 1, y + 1, w - 1, h - 1, pal::kSteelDark);
            c.FillRect(x + 1, y + 1, w - 1, 1, pal::kSteel);
            c.FillRect(x + 1, y + h - 1, w - 1, 1, pal::kNight2);
            x += w;
        }
        y += h;
    }
    // Grass along the top edge, tufts poking up.
    c.FillRect(0, kFloorTop, c.Width(), 2, pal::kForest);
    for (int x = 0; x < c.Width(); x += 1) {
        const int tuft = scatter.Below(7);
        if (tuft == 0) {
            c.Set(x, kFloorTop - 1, pal::kForest);
            c.Set(x, kFloorTop - 2, pal::kForest);
        } else if (tuft < 3) {
            c.Set(x, kFloorTop - 1, pal::kForest);
        }
        if (scatter.Below(5) == 0)
            c.Set(x, kFloorTop, pal::kTeal);
    }
}

}  // namespace

CCanvas Background()
{
    CCanvas c(kScreenWidth, kScreenHeight, pal::kNight0);
    PaintSky(c);
    PaintStars(c);
    PaintMoon(c);
    PaintMountains(c);
    PaintTown(c);
    PaintGround(c);
    return c;
}

CCanvas Icon(int size)
{
    // Hiro standing on the road under the moon, on a rounded tile of night sky. The tile, moon and
    // stars are drawn at the icon's own size; Hiro's pixels are scaled by a whole number.
    const int scale = std::max(1, size / kSpriteSize);
    const float unit = static_cast<float>(size) / static_cast<float>(kSpriteSize);
    const int rim = std::max(1, scale / 2);                 // outline thickness
    const float inset = static_cast<float>(rim);
    const float extent = static_cast<float>(size) - inset;
    const float corner = std::max(1.5f, 3.0f * unit);
    const int horizon = static_cast<int>(22.0f * unit);
    CCanvas c(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            // Distance outside the rounded square's inner rectangle, against its corner radius.
            const float dx = std::max({inset + corner - px, px - (extent - corner), 0.0f});
            const float dy = std::max({inset + corner - py, py - (extent - corner), 0.0f});
            if (px < inset || py < inset || px > extent || py > extent || dx * dx + dy * dy > corner * corner)
                continue;
            Rgba tone = pal::kNight2;
            if (y < horizon) {
                // Deeper toward the top, dithered, as the backdrop's sky; flat at 32 pixels.
                const float height = static_cast<float>(y) / static_cast<float>(horizon);
                tone = size > kSpriteSize && !Dither(x, y, height) ? pal::kNight2 : pal::kNight3;
            }
            c.Set(x, y, tone);
        }
    }
    if (size > kSpriteSize) {
        CScatter scatter(0x1c0u + static_cast<uint32_t>(size));
        for (int i = 0; i < size / 6; ++i) {
            const int x = scatter.Below(size);
            const int y = scatter.Below(horizon * 2 / 3);
            if (!c.Get(x, y).Clear())
                c.FillRect(x, y, std::max(1, scale / 4), std::max(1, scale / 4),
                           scatter.Below(3) == 0 ? pal::kWhite : pal::kSteelLight);
        }
        // Grass along the road's edge.
        c.Recolor(pal::kForest, [&](int, int y) { return y >= horizon && y < horizon + std::max(1, scale / 2); });
    }
    const float moonX = 24.0f * unit;
    const float moonY = 8.0f * unit;
    const float moonR = 4.0f * unit;
    if (size > kSpriteSize) {
        c.FillEllipse(moonX, moonY, moonR, moonR, pal::kYellow);
        c.FillEllipse(moonX - 0.4f * unit, moonY - 0.4f * unit, moonR - 0.6f * unit, moonR - 0.6f * unit, pal::kPale);
        c.FillEllipse(moonX - 1.5f * unit, moonY - 0.8f * unit, 1.0f * unit, 0.9f * unit, pal::kYellow);
        c.FillEllipse(moonX + 1.4f * unit, moonY + 1.5f * unit, 0.8f * unit, 0.8f * unit, pal::kYellow);
    } else {
        c.FillEllipse(moonX, moonY, moonR, moonR, pal::kPale);
    }
    for (int i = 0; i < rim; ++i)
        c.Outline(pal::kInk);
    const CCanvas hero = HiroStanding().Scaled(scale, scale);
    c.Draw(hero, (size - hero.Width()) / 2 - scale, size - hero.Height() - scale);
    return c;
}

CCanvas WindowIcon()
{
    return Icon(kSpriteSize);
}

}  // namespace art
