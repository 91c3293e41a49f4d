// A bullet rising from the shooter.
#include "Bullet.h"

#include "EntityList.h"
#include "GameRules.h"
#include "GameState.h"

namespace {
constexpr float kSpeed = 500.0f;         // upward
constexpr float kTopLimit = -6.0f;       // gone once above this
}  // namespace

CBullet::CBullet() : sprite(nullptr), pendingRemoval(false) {}

bool CBullet::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CBullet::Update()
{
    if (pendingRemoval) {
        Remove();
        return;
    }
    if (!gameState->playing) {
        return;
    }
    const float dt = ClampedFrameTime(engine);
    y -= kSpeed * dt;
    sprite->SetPosition(x, y);
    gameState->bulletSpots.Move(this, spot, x, y);
    if (y < kTopLimit) {
        Remove();
    }
}

void CBullet::Remove()
{
    gameState->bulletSpots.Drop(this);
    EndListedEntity(this, &CGameState::bullets);
}
