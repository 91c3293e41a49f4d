// The shooter: cool-down, firing and being pushed.
#include "Shooter.h"

#include "GameRules.h"
#include "GameState.h"

namespace {
constexpr float kStartX = 320.0f;
constexpr float kFloorY = 464.0f;
constexpr float kCoolDown = 0.2f;
constexpr int32_t kStartAmmo = 3;
constexpr int kFrameCount = 2;
constexpr int kIdleFrame = 0;
constexpr int kFiredFrame = 1;
constexpr float kBulletOffsetX = -6.0f;
constexpr float kBulletOffsetY = -22.0f;
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
    if (pendingRemoval) {
        engine->GetGraphics()->DestroySprite(sprite);
        CVantorEngine* host = engine;
        host->DestroyEntity(this);
        return;
    }
    if (!gameState->playing) {
        return;
    }
    const float dt = ClampedFrameTime(engine);
    if (fireTime > 0.0f) {
        fireTime -= dt;
        if (fireTime <= 0.0f) {
            sprite->SetFrame(kIdleFrame);
        }
    }
}

void CShooter::Fire()
{
    if (ammo <= 0 || fireTime > 0.0f) {
        return;
    }
    engine->GetSound()->PlaySound(gameState->sndShoot);
    gameState->SpawnBullet(x + kBulletOffsetX, y + kBulletOffsetY);
    --ammo;
    gameState->RebuildHud();
    fireTime = kCoolDown;
    sprite->SetFrame(kFiredFrame);
}

bool CShooter::IsNear(float px, float py) const
{
    const float dx = x - px;
    const float dy = y - py;
    return WithinBox(dx, dy, kReach, kReach);
}

void CShooter::SetX(float newX)
{
    x = newX;
    sprite->SetPosition(x, y);
}
