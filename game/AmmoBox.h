// An ammo box: lies in a bottom corner until the player carries it to the shooter.
#pragma once

#include "VantorEngine.h"
#include "VantorEntity.h"

class CGameState;

class CAmmoBox final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* engine) override;
    void Update() override;

    void Setup(CGameState* gameState, float x, float y);
    // Hands the box's three shots to the shooter; the box ends itself in its next update.
    void Deliver();
    // The reach test: strictly less than 32 pixels away on both axes.
    bool IsNear(float px, float py) const;
    void MoveTo(float newX, float newY);

    CVantorEngine* engine;
    CGameState* gameState;
    CVantorSprite* sprite;
    float x;
    float y;
    bool delivered;
    bool pendingRemoval;
};
