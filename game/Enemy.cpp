// A demon: drift, bounce, flap, fire, die.
#include "Enemy.h"

#include "GameState.h"

namespace {
constexpr float kFlipPeriod = 0.1f;
constexpr int kFrameCount = 2;
}  // namespace

CEnemy::CEnemy() : sprite(nullptr), pendingRemoval(false) {}

bool CEnemy::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CEnemy::Setup(CGameState* owner, float newX, float newY, float newDirectionX, float newDirectionY)
{
    gameState = owner;
    sprite = engine->GetGraphics()->CreateSprite(kFrameCount, &owner->imgDemon);
    x = newX;
    y = newY;
    directionX = newDirectionX;
    directionY = newDirectionY;
    frame = 0;
    frameTime = kFlipPeriod;
    const int r = owner->random.Next();
    fireTime = static_cast<float>(1.0 + 4.0 * r / CRandom::kMax);
    sprite->SetPosition(x, y);
}

void CEnemy::Update()
{
}
