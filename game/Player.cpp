// Hiro: movement, carrying, pushing, firing orders and hits.
#include "Player.h"

#include "GameState.h"

namespace {
constexpr float kStartX = 220.0f;
constexpr float kFloorY = 464.0f;
constexpr float kWalkPeriod = 0.15f;
constexpr int32_t kStartLives = 3;
constexpr int kFrameCount = 4;
}  // namespace

bool CPlayer::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CPlayer::Setup(CGameState* owner)
{
    gameState = owner;
    sprite = engine->GetGraphics()->CreateSprite(kFrameCount, &owner->imgHiro);
    wordBubbleSprite = nullptr;
    x = kStartX;
    y = kFloorY;
    velocityX = 0.0f;
    velocityY = 0.0f;
    invulnerableTime = 0.0f;
    blinkTime = 0.0f;
    frameBase = 0;
    walkFrame = 0;
    walkTime = kWalkPeriod;
    onGround = false;
    facingLeft = false;
    blinkHidden = false;
    pendingRemoval = false;
    lives = kStartLives;
    carriedBox = nullptr;
    sprite->SetPosition(x, y);
}

void CPlayer::Update()
{
}

void CPlayer::TakeHit()
{
}
