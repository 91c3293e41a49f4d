// Where the live bullets are, in the order of the game state's bullet list, kept side by side in
// plain arrays: every demon tests every bullet each frame, and this makes that one tight pass.
#pragma once

#include <cstddef>
#include <vector>

class CBullet;

class CBulletSpots {
public:
    void Add(CBullet* bullet, float x, float y);
    // Moves a bullet's spot; `hint` is where it was last found, and is kept up to date.
    void Move(const CBullet* bullet, std::size_t& hint, float x, float y);
    // Forgets a bullet by its pointer alone (it is never read).
    void Drop(const CBullet* bullet);
    void Clear();
    // The first bullet, in list order, strictly inside the box of the given half sizes around
    // (x, y); null if none is.
    CBullet* FirstWithin(float x, float y, float halfWidth, float halfHeight) const;

private:
    std::size_t Find(const CBullet* bullet) const;

    std::vector<float> xs;
    std::vector<float> ys;
    std::vector<CBullet*> owners;
};
