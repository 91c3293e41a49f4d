// The flying demon and its fireball.
#include "Art.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {
namespace {

constexpr float kCentre = kDemonSize / 2.0f;

// Mirrors a left-side outline onto the right side of the demon.
std::vector<Point> MirrorX(const std::vector<Point>& points)
{
    std::vector<Point> out;
    for (const Point& p : points)
        out.push_back(Point{kDemonSize - p.x, p.y});
    return out;
}

// A bat wing from the left shoulder: the membrane between finger bones, then the bones.
void PaintWing(CCanvas& c, const std::vector<Point>& wing, const std::vector<Point>& tips,
               Point shoulder, bool left)
{
    const std::vector<Point> shape = left ? wing : MirrorX(wing);
    c.FillPolygon(shape, pal::kPlum);
    for (Point tip : tips) {
        const float tx = left ? tip.x : kDemonSize - tip.x;
        const float sx = left ? shoulder.x : kDemonSize - shoulder.x;
        c.Line(static_cast<int>(sx), static_cast<int>(shoulder.y), static_cast<int>(tx),
               static_cast<int>(tip.y), pal::kPlumDark);
    }
    // The leading edge catches the light.
    const Point a = shape[0];
    const Point b = shape[1];
    c.Line(static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(b.x), static_cast<int>(b.y), pal::kRed);
}

// Round body lit from the upper left: three tones by the surface's slope.
void PaintBody(CCanvas& c, float cx, float cy, float rx, float ry)
{
    for (int y = 0; y < kDemonSize; ++y) {
        for (int x = 0; x < kDemonSize; ++x) {
            const float nx = (static_cast<float>(x) + 0.5f - cx) / rx;
            const float ny = (static_cast<float>(y) + 0.5f - cy) / ry;
            const float d = nx * nx + ny * ny;
            if (d > 1.0f)
                continue;
            const float nz = std::sqrt(1.0f - d);
            const float light = -0.55f * nx - 0.6f * ny + 0.58f * nz;
            Rgba tone = pal::kRed;
            if (light > 0.62f)
                tone = pal::kOrange;
            else if (light > 0.3f)
                tone = pal::kScarlet;
            else if (light < -0.15f)
                tone = pal::kPlum;
            c.Set(x, y, tone);
        }
    }
}

CCanvas Demon(bool wingsDown)
{
    CCanvas c(kDemonSize, kDemonSize);
    const float lift = wingsDown ? -1.0f : 0.0f;   // the downstroke lifts the body a little
    const float cy = 33.0f + lift;
    const Point shoulder{24.0f, 28.0f + lift};

    if (wingsDown) {
        const std::vector<Point> wing = {{24, 27}, {4, 38}, {3, 47}, {9, 43}, {10, 52}, {15, 44},
                                         {19, 50}, {21, 40}, {25, 35}};
        const std::vector<Point> tips = {{4, 39}, {10, 51}, {19, 49}};
        PaintWing(c, wing, tips, shoulder, true);
        PaintWing(c, wing, tips, shoulder, false);
    } else {
        const std::vector<Point> wing = {{24, 26}, {10, 9}, {2, 6}, {6, 16}, {2, 22}, {10, 23},
                                         {7, 30}, {16, 30}, {23, 34}};
        const std::vector<Point> tips = {{3, 7}, {3, 21}, {8, 29}};
        PaintWing(c, wing, tips, shoulder, true);
        PaintWing(c, wing, tips, shoulder, false);
    }

    // Tail curling down to a spade.
    for (int i = 0; i <= 14; ++i) {
        const float t = static_cast<float>(i) / 14.0f;
        const float x = kCentre + 2.0f + 9.0f * std::sin(t * 2.4f);
        const float y = cy + 10.0f + 14.0f * t;
        c.FillEllipse(x, y, 1.4f, 1.4f, pal::kRed);
    }
    const float tailX = kCentre + 2.0f + 9.0f * std::sin(2.4f);
    const float tailY = cy + 24.0f;
    c.FillPolygon({{tailX - 4.0f, tailY}, {tailX + 0.5f, tailY - 3.5f}, {tailX + 4.5f, tailY + 1.0f},
                   {tailX, tailY + 4.5f}},
                  pal::kScarlet);

    // Horns, bone coloured, curving outward.
    for (int side : {-1, 1}) {
        const float s = static_cast<float>(side);
        c.FillPolygon({{kCentre + s * 5.0f, cy - 9.0f}, {kCentre + s * 11.0f, cy - 10.0f},
                       {kCentre + s * 14.0f, cy - 24.0f}, {kCentre + s * 9.0f, cy - 14.0f}},
                      pal::kYellow);
        c.Line(static_cast<int>(kCentre + s * 9.5f), static_cast<int>(cy - 11.0f),
               static_cast<int>(kCentre + s * 12.5f), static_cast<int>(cy - 20.0f), pal::kPale);
    }

    // Little clawed feet under the body.
    for (int side : {-1, 1}) {
        const float x = kCentre + static_cast<float>(side) * 6.0f;
        c.FillEllipse(x, cy + 11.5f, 2.5f, 2.5f, pal::kPlum);
    }

    PaintBody(c, kCentre, cy, 12.5f, 12.0f);

    // Angry eyes: yellow, slit pupils, a heavy brow.
    const int eyeY = static_cast<int>(cy) - 4;
    for (int side : {-1, 1}) {
        const int ex = static_cast<int>(kCentre) + (side < 0 ? -7 : 2);
        c.FillRect(ex, eyeY, 5, 4, pal::kYellow);
        c.FillRect(ex, eyeY, 5, 1, pal::kPale);
        c.FillRect(ex + (side < 0 ? 3 : 1), eyeY, 1, 4, pal::kInk);
        // Brow slanting down toward the nose.
        for (int i = 0; i < 6; ++i) {
            const int bx = side < 0 ? ex - 1 + i : ex + 5 - i;
            c.Set(bx, eyeY - 2 + i / 2, pal::kInk);
            c.Set(bx, eyeY - 1 + i / 2, pal::kInk);
        }
    }

    // Mouth: a grin with fangs, or jaws wide open chewing.
    const int mouthY = static_cast<int>(cy) + 4;
    const int mx = static_cast<int>(kCentre);
    if (wingsDown) {
        c.FillEllipse(kCentre, static_cast<float>(mouthY) + 2.5f, 6.0f, 4.0f, pal::kInk);
        c.FillEllipse(kCentre, static_cast<float>(mouthY) + 3.5f, 4.0f, 2.2f, pal::kPlumDark);
        c.FillEllipse(kCentre, static_cast<float>(mouthY) + 5.0f, 2.5f, 1.0f, pal::kScarlet);
        for (int tooth : {-4, -1, 2})
            c.FillRect(mx + tooth, mouthY - 1, 2, 2, pal::kWhite);
        for (int tooth : {-3, 1})
            c.FillRect(mx + tooth, mouthY + 5, 2, 1, pal::kWhite);
    } else {
        c.FillRect(mx - 6, mouthY, 12, 1, pal::kInk);
        c.Set(mx - 7, mouthY - 1, pal::kInk);
        c.Set(mx + 6, mouthY - 1, pal::kInk);
        c.FillRect(mx - 4, mouthY + 1, 2, 2, pal::kWhite);
        c.FillRect(mx + 2, mouthY + 1, 2, 2, pal::kWhite);
        c.Set(mx - 4, mouthY + 3, pal::kWhite);
        c.Set(mx + 3, mouthY + 3, pal::kWhite);
    }
    c.Outline(pal::kInk);
    return c;
}

}  // namespace

CCanvas DemonGlide()
{
    return Demon(false);
}

CCanvas DemonChew()
{
    return Demon(true);
}

CCanvas Fireball()
{
    // As wide as it can hurt: a fireball reaches Hiro 32 pixels from centre to centre, so ball
    // and boy together span most of that.
    constexpr int kWidth = kSpriteSize;
    constexpr int kHeight = kSpriteSize;
    constexpr float kBallX = 16.0f;
    constexpr float kBallY = 19.0f;
    constexpr float kBallRadius = 12.8f;
    CCanvas c(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            // Heat: 1 at the ball's core, falling off outward; above the ball the flame narrows
            // into three licking tongues trailing behind the fall.
            float heat;
            if (py >= kBallY) {
                heat = 1.0f - std::hypot(px - kBallX, py - kBallY) / kBallRadius;
            } else {
                const float up = (kBallY - py) / kBallY;   // 0 at the ball's centre, 1 at the top
                const float tongues = 0.5f + 0.5f * std::cos((px - kBallX) * 1.35f + up * 2.2f);
                const float halfWidth = kBallRadius * (1.0f - up) * (0.55f + 0.45f * tongues) + 0.6f;
                heat = (1.0f - std::fabs(px - kBallX) / halfWidth) * (1.0f - 0.85f * up);
                heat = std::min(heat, 1.0f - std::hypot(px - kBallX, (py - kBallY) * 0.45f) / kBallRadius);
                heat = std::max(heat, 1.0f - std::hypot(px - kBallX, py - kBallY) / kBallRadius);
            }
            Rgba tone = pal::kClear;
            if (heat > 0.62f)
                tone = pal::kPale;
            else if (heat > 0.42f)
                tone = pal::kYellow;
            else if (heat > 0.24f)
                tone = pal::kOrange;
            else if (heat > 0.1f)
                tone = pal::kScarlet;
            else if (heat > 0.0f)
                tone = pal::kRed;
            if (!tone.Clear())
                c.Set(x, y, tone);
        }
    }
    return c;
}

}  // namespace art
