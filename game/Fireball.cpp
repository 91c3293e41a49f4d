// A fireball falling from a demon.
#include "Fireball.h"

#include "EntityList.h"
#include "GameRules.h"
#include "GameState.h"
#include "Player.h"

namespace {
constexpr float kSpeed = 500.0f;         // downward
constexpr float kBottomLimit = 464.0f;   // gone once below this
}  // namespace

CFireball::CFireball() : sprite(nullptr), pendingRemoval(false) {}

bool CFireball::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CFireball::Update()
{
    if (pendingRemoval) {
        Remove();
        return;
    }
    if (!gameState->playing) {
        return;
    }
    const float dt = ClampedFrameTime(engine);
    y += kSpeed * dt;
    sprite->SetPosition(x, y);

    // Used up on reaching the player, whether or not his protection lets the hit count.
    CPlayer* player = gameState->player;
    const float dx = x - player->x;
    const float dy = y - player->y;
    if (WithinBox(dx, dy, kReach, kReach)) {
        player->TakeHit();
        Remove();
        return;
    }
    if (y > kBottomLimit) {
        Remove();
    }
}

void CFireball::Remove()
{
    EndListedEntity(this, &CGameState::fireballs);
}
