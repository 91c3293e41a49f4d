// An ammo box: lying, carried, delivered.
#include "AmmoBox.h"

#include "GameState.h"

namespace {
constexpr float kReach = 32.0f;
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

void CAmmoBox::Update()
{
}

void CAmmoBox::Deliver()
{
}

bool CAmmoBox::IsNear(float px, float py) const
{
    const float dx = x - px;
    const float dy = y - py;
    return dx > -kReach && dx < kReach && dy > -kReach && dy < kReach;
}

void CAmmoBox::MoveTo(float newX, float newY)
{
    x = newX;
    y = newY;
    sprite->SetPosition(x, y);
}
