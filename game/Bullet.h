// A bullet: rises from the shooter until it leaves the screen or a demon flags it.
#pragma once

#include <cstddef>

#include "VantorEngine.h"
#include "VantorEntity.h"

class CGameState;

class CBullet final : public CVantorEntity {
public:
    CBullet();

    bool Attach(CVantorEngine* engine) override;
    void Update() override;

    CVantorEngine* engine;
    CGameState* gameState;
    CVantorSprite* sprite;
    float x;
    float y;
    bool pendingRemoval;
    std::size_t spot = 0;   // where the game state's bullet spots last had this bullet

private:
    // Destroys the sprite, hands the bullet back to the host and drops it from its list.
    void Remove();
};
