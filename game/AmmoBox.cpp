// An ammo box: lying, carried, delivered.
#include "AmmoBox.h"

#include <cstdint>

#include "GameRules.h"
#include "GameState.h"
#include "Shooter.h"

namespace {
constexpr int32_t kAmmoPerBox = 3;
}  // namespace

bool CAmmoBox::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CAmmoBox::Setup(CGameState* owner, float newX, float newY)
{
    gameState = owner;
    sprite = engine->GetGraphics()->CreateSprite(1, &owner->imgAmmoBox);
    x = newX;
    y = newY;
    delivered = false;
    pendingRemoval = false;
    sprite->SetPosition(x, y);
}

// A box ends whether or not a game is running: a delivered or flagged box has nothing left to do.
void CAmmoBox::Update()
{
    if (delivered || pendingRemoval) {
        engine->GetGraphics()->DestroySprite(sprite);
        CVantorEngine* host = engine;
        host->DestroyEntity(this);
    }
}

void CAmmoBox::Deliver()
{
    engine->GetSound()->PlaySound(gameState->sndAmmoUp);
    gameState->shooter->ammo += kAmmoPerBox;
    gameState->RebuildHud();
    delivered = true;
}

bool CAmmoBox::IsNear(float px, float py) const
{
    const float dx = x - px;
    const float dy = y - py;
    return WithinBox(dx, dy, kReach, kReach);
}

void CAmmoBox::MoveTo(float newX, float newY)
{
    x = newX;
    y = newY;
    sprite->SetPosition(x, y);
}
