// A demon: drifts and bounces in the upper screen, flaps, drops fireballs, dies to a bullet.
#pragma once

#include <cstdint>

#include "VantorEngine.h"
#include "VantorEntity.h"

class CGameState;

class CEnemy final : public CVantorEntity {
public:
    CEnemy();

    bool Attach(CVantorEngine* engine) override;
    void Update() override;

    void Setup(CGameState* gameState, float x, float y, float directionX, float directionY);

    CVantorEngine* engine;
    CGameState* gameState;
    CVantorSprite* sprite;               // frames: demon, demon chewing
    float x;
    float y;
    float directionX;                    // unit vector of the drift
    float directionY;
    float fireTime;                      // time until the next fireball
    float frameTime;                     // time until the next image flip
    int32_t frame;
    bool pendingRemoval;

private:
    // Destroys the sprite, hands the demon back to the host and drops it from its list.
    void Remove();
};
