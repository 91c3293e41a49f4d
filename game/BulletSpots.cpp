// The bullets' positions side by side.
#include "BulletSpots.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
// Four positions tested at once with the compiler's vector types (plain SSE2 on x86-64).
using Floats = float __attribute__((vector_size(16)));
using Ints = int __attribute__((vector_size(16)));
constexpr std::size_t kLanes = 4;

Floats Load(const float* from)
{
    Floats lanes;
    std::memcpy(&lanes, from, sizeof lanes);
    return lanes;
}

Floats Splat(float value)
{
    return Floats{value, value, value, value};
}
}  // namespace

void CBulletSpots::Add(CBullet* bullet, float x, float y)
{
    xs.push_back(x);
    ys.push_back(y);
    owners.push_back(bullet);
}

void CBulletSpots::Move(const CBullet* bullet, std::size_t& hint, float x, float y)
{
    if (hint >= owners.size() || owners[hint] != bullet) {
        hint = Find(bullet);
        if (hint == owners.size()) {
            return;
        }
    }
    xs[hint] = x;
    ys[hint] = y;
}

void CBulletSpots::Drop(const CBullet* bullet)
{
    const std::size_t index = Find(bullet);
    if (index == owners.size()) {
        return;
    }
    const auto at = static_cast<std::ptrdiff_t>(index);
    xs.erase(xs.begin() + at);
    ys.erase(ys.begin() + at);
    owners.erase(owners.begin() + at);
}

void CBulletSpots::Clear()
{
    xs.clear();
    ys.clear();
    owners.clear();
}

CBullet* CBulletSpots::FirstWithin(float x, float y, float halfWidth, float halfHeight) const
{
    const std::size_t count = owners.size();
    const float* px = xs.data();
    const float* py = ys.data();
    // Four at a time without stopping inside them; then the four that hold a hit (or the tail)
    // one by one, so the first bullet in order is the one found.
    const Floats centreX = Splat(x);
    const Floats centreY = Splat(y);
    const Floats halfW = Splat(halfWidth);
    const Floats halfH = Splat(halfHeight);
    std::size_t start = 0;
    for (; start + kLanes <= count; start += kLanes) {
        const Floats dx = Load(px + start) - centreX;
        const Floats dy = Load(py + start) - centreY;
        const Ints inside = (dx > -halfW) & (dx < halfW) & (dy > -halfH) & (dy < halfH);
        if ((inside[0] | inside[1] | inside[2] | inside[3]) != 0) {
            break;
        }
    }
    for (std::size_t i = start; i < count; ++i) {
        const float dx = px[i] - x;
        const float dy = py[i] - y;
        if (dx > -halfWidth && dx < halfWidth && dy > -halfHeight && dy < halfHeight) {
            return owners[i];
        }
    }
    return nullptr;
}

std::size_t CBulletSpots::Find(const CBullet* bullet) const
{
    return static_cast<std::size_t>(std::distance(owners.begin(), std::find(owners.begin(), owners.end(), bullet)));
}
