// The shooter: a gun on the floor that fires one bullet upward per order, while it has ammunition
// and its cool-down has run out.
#pragma once

#include <cstdint>

#include "VantorEngine.h"
#include "VantorEntity.h"

class CGameState;

class CShooter final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* engine) override;
    void Update() override;

    void Setup(CGameState* gameState);
    void Fire();
    // The reach test: strictly less than 32 pixels away on both axes.
    bool IsNear(float px, float py) const;
    void SetX(float newX);

    CVantorEngine* engine;
    CGameState* gameState;
    CVantorSprite* sprite;               // frames: idle, just fired
    float x;
    float y;
    float fireTime;                      // cool-down left; fires only at 0 or less
    int32_t ammo;                        // shots left, no upper limit
    bool pendingRemoval;
};
