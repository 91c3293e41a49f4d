// The shooter: cool-down, firing and being pushed.
#include "Shooter.h"

#include "GameState.h"

namespace {
constexpr float kStartX = 320.0f;
constexpr float kFloorY = 464.0f;
constexpr float kCoolDown = 0.2f;
constexpr int32_t kStartAmmo = 3;
constexpr float kReach = 32.0f;
constexpr int kFrameCount = 2;
}  // namespace

bool CShooter::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CShooter::Setup(CGameState* owner)
{
    gameState = owner;
    sprite = engine->GetGraphics()->CreateSprite(kFrameCount, &owner->imgShooter);
    x = kStartX;
    y = kFloorY;
    ammo = kStartAmmo;
    pendingRemoval = false;
    fireTime = kCoolDown;
    sprite->SetPosition(x, y);
}

void CShooter::Update()
{
}

void CShooter::Fire()
{
}

bool CShooter::IsNear(float px, float py) const
{
    const float dx = x - px;
    const float dy = y - py;
    return dx > -kReach && dx < kReach && dy > -kReach && dy < kReach;
}

void CShooter::SetX(float newX)
{
    x = newX;
    sprite->SetPosition(x, y);
}
