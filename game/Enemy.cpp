// A demon: drift, bounce, flap, fire, die.
#include "Enemy.h"

#include "Bullet.h"
#include "EntityList.h"
#include "GameRules.h"
#include "GameState.h"

namespace {
constexpr float kFlipPeriod = 0.1f;
constexpr int kFrameCount = 2;
constexpr float kSpeed = 100.0f;
constexpr float kLeftLimit = 32.0f;
constexpr float kRightLimit = 608.0f;
constexpr float kTopLimit = 32.0f;
constexpr float kBottomLimit = 208.0f;
constexpr float kFireballOffsetY = 16.0f;
constexpr float kHitHalfWidth = 33.0f;
constexpr float kHitHalfHeight = 44.0f;
constexpr int32_t kPoints = 50;

// One to five seconds; drawn at set-up and after every fireball.
float DrawFireTime(CRandom& random)
{
    const int r = random.Next();
    return static_cast<float>(1.0 + 4.0 * r / CRandom::kMax);
}
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
    fireTime = DrawFireTime(owner->random);
    sprite->SetPosition(x, y);
}

void CEnemy::Update()
{
    if (pendingRemoval) {
        Remove();
        return;
    }
    if (!gameState->playing) {
        return;
    }
    const float dt = ClampedFrameTime(engine);

    // The fireball leaves from where the demon is before this frame's move.
    if (fireTime > 0.0f) {
        fireTime -= dt;
    } else {
        engine->GetSound()->PlaySound(gameState->sndFireball);
        fireTime = DrawFireTime(gameState->random);
        gameState->SpawnFireball(x, y + kFireballOffsetY);
    }

    if (frameTime > 0.0f) {
        frameTime -= dt;
    } else {
        frame = (frame + 1) % kFrameCount;
        frameTime = kFlipPeriod;
        sprite->SetFrame(frame);
    }

    x += directionX * dt * kSpeed;
    y += directionY * dt * kSpeed;
    if (x < kLeftLimit) {
        x = kLeftLimit;
        directionX = -directionX;
    }
    if (x > kRightLimit) {
        x = kRightLimit;
        directionX = -directionX;
    }
    if (y < kTopLimit) {
        y = kTopLimit;
        directionY = -directionY;
    }
    if (y > kBottomLimit) {
        y = kBottomLimit;
        directionY = -directionY;
    }
    sprite->SetPosition(x, y);

    // One bullet per demon and frame. A bullet flagged by another demon this frame is still in
    // the list and still hits: it only leaves the list in its own next update.
    CBullet* hit = gameState->bulletSpots.FirstWithin(x, y, kHitHalfWidth, kHitHalfHeight);
    if (hit == nullptr) {
        return;
    }
    engine->GetSound()->PlaySound(gameState->sndExplosion);
    gameState->score += kPoints;
    if (gameState->highScore < gameState->score) {
        gameState->highScore = gameState->score;
    }
    gameState->RebuildHud();
    Remove();
    hit->pendingRemoval = true;
}

void CEnemy::Remove()
{
    EndListedEntity(this, &CGameState::enemies);
}
