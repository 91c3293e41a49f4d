// A fireball: falls from a demon until it reaches the player or passes the floor line.
#pragma once

#include "VantorEngine.h"
#include "VantorEntity.h"

class CGameState;

class CFireball final : public CVantorEntity {
public:
    CFireball();

    bool Attach(CVantorEngine* engine) override;
    void Update() override;

    CVantorEngine* engine;
    CGameState* gameState;
    CVantorSprite* sprite;
    float x;
    float y;
    bool pendingRemoval;

private:
    // Destroys the sprite, hands the fireball back to the host and drops it from its list.
    void Remove();
};
