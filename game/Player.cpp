// Hiro: movement, carrying, pushing, firing orders and hits.
#include "Player.h"

#include <cstring>

#include "AmmoBox.h"
#include "GameRules.h"
#include "GameState.h"
#include "Shooter.h"

namespace {
constexpr float kStartX = 220.0f;
constexpr float kFloorY = 464.0f;
constexpr float kLeftLimit = 16.0f;
constexpr float kRightLimit = 624.0f;
constexpr float kShooterTopY = 432.0f;        // centre y when standing on the shooter
constexpr float kSpeedLimit = 200.0f;
constexpr float kGroundAcceleration = 2000.0f;
constexpr float kAirAcceleration = 1000.0f;
constexpr float kFriction = 1000.0f;
constexpr float kJumpSpeed = 800.0f;
constexpr float kGravity = 3000.0f;
constexpr float kWalkPeriod = 0.15f;
constexpr float kCarryOffset = 32.0f;
constexpr float kBoxRespawnDelay = 8.0f;
constexpr float kPushLeftLimit = 130.0f;
constexpr float kPushRightLimit = 510.0f;
constexpr float kPushOffset = 32.0f;
constexpr float kBubbleTime = 0.2f;
constexpr float kBubbleOffsetX = 48.0f;
constexpr float kBubbleOffsetY = -28.0f;
constexpr float kProtectionTime = 1.0f;
constexpr float kBlinkPeriod = 0.1f;
constexpr float kParkedX = 1000.0f;
constexpr float kParkedY = 1000.0f;
constexpr int32_t kStartLives = 3;
constexpr int32_t kCarryFrames = 2;
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
    CVantorGraphics* graphics = engine->GetGraphics();

    if (pendingRemoval) {
        // The carried box is in no slot of the game state, so nobody else would end it.
        if (carriedBox != nullptr) {
            carriedBox->pendingRemoval = true;
        }
        if (wordBubbleSprite != nullptr) {
            graphics->DestroySprite(wordBubbleSprite);
        }
        graphics->DestroySprite(sprite);
        CVantorEngine* host = engine;
        host->DestroyEntity(this);
        return;
    }
    if (!gameState->playing) {
        return;
    }

    const float dt = ClampedFrameTime(engine);

    // Protection blink.
    if (invulnerableTime > 0.0f) {
        invulnerableTime -= dt;
        blinkTime -= dt;
        if (blinkTime <= 0.0f) {
            blinkHidden = !blinkHidden;
            blinkTime = kBlinkPeriod;
        }
    } else {
        blinkHidden = false;
    }

    // Walk phase.
    if (onGround && velocityX != 0.0f) {
        walkTime -= dt;
        if (walkTime <= 0.0f) {
            walkFrame = 1 - walkFrame;
            walkTime = kWalkPeriod;
        }
    } else {
        walkFrame = 0;
        walkTime = kWalkPeriod;
    }

    // Actions: every entry counts, and each one sees the state the previous ones left.
    std::list<ActionRecord>& actions = engine->GetActions();
    for (auto it = actions.begin(); it != actions.end();) {
        const ActionRecord& action = *it;
        if (Named(action, "left")) {
            velocityX -= dt * (onGround ? kGroundAcceleration : kAirAcceleration);
            if (velocityX < -kSpeedLimit) {
                velocityX = -kSpeedLimit;
            }
        } else if (Named(action, "right")) {
            velocityX += dt * (onGround ? kGroundAcceleration : kAirAcceleration);
            if (velocityX > kSpeedLimit) {
                velocityX = kSpeedLimit;
            }
        } else if (Named(action, "up") || Named(action, "gamepadA")) {
            if (onGround) {
                engine->GetSound()->PlaySound(gameState->sndJump);
                velocityY = -kJumpSpeed;
                onGround = false;
            }
        } else if (Named(action, "shoot") || Named(action, "gamepadB")) {
            gameState->shooter->Fire();
            if (wordBubbleSprite == nullptr) {
                wordBubbleSprite = graphics->CreateSprite(1, &gameState->imgWordBubble);
                wordBubbleTime = kBubbleTime;
            }
        } else {
            ++it;
            continue;
        }
        it = actions.erase(it);
    }

    // Friction on the ground (the facing follows the speed that is left), gravity in the air.
    if (onGround) {
        if (velocityX > 0.0f) {
            facingLeft = false;
            velocityX -= dt * kFriction;
            if (velocityX < 0.0f) {
                velocityX = 0.0f;
            }
        }
        if (velocityX < 0.0f) {
            facingLeft = true;
            velocityX += dt * kFriction;
            if (velocityX > 0.0f) {
                velocityX = 0.0f;
            }
        }
    } else {
        velocityY += dt * kGravity;
    }

    x += velocityX * dt;
    y += velocityY * dt;

    // Floor, then walls, then landing. Exactly on the floor keeps onGround as it was, which is
    // what holds a standing player up, since no gravity is applied on the ground.
    if (y < kFloorY) {
        onGround = false;
    }
    if (x < kLeftLimit) {
        x = kLeftLimit;
        velocityX = 0.0f;
    } else if (x > kRightLimit) {
        x = kRightLimit;
        velocityX = 0.0f;
    }
    if (y > kFloorY) {
        onGround = true;
        y = kFloorY;
        velocityY = 0.0f;
    }

    // Carrying and pickup; the box is moved first, so it is the box that has to reach the shooter.
    CShooter* shooter = gameState->shooter;
    if (carriedBox != nullptr) {
        frameBase = kCarryFrames;
        carriedBox->MoveTo(facingLeft ? x - kCarryOffset : x + kCarryOffset, y);
        if (carriedBox->IsNear(shooter->x, shooter->y)) {
            carriedBox->Deliver();
            carriedBox = nullptr;
        }
    } else {
        frameBase = 0;
        if (gameState->leftAmmoBox != nullptr && gameState->leftAmmoBox->IsNear(x, y)) {
            carriedBox = gameState->leftAmmoBox;
            gameState->leftAmmoBoxTimer = kBoxRespawnDelay;
            gameState->leftAmmoBox = nullptr;
        }
        if (gameState->rightAmmoBox != nullptr && gameState->rightAmmoBox->IsNear(x, y)) {
            carriedBox = gameState->rightAmmoBox;
            gameState->rightAmmoBoxTimer = kBoxRespawnDelay;
            gameState->rightAmmoBox = nullptr;
        }
    }

    // Shooter contact: pushing it on the ground, landing on it in the air.
    if (shooter->IsNear(x, y)) {
        if (onGround) {
            if (velocityX < 0.0f) {
                if (x < kPushLeftLimit) {
                    x = kPushLeftLimit;
                    velocityX = 0.0f;
                }
                shooter->SetX(x - kPushOffset);
            } else {
                if (x > kPushRightLimit) {
                    x = kPushRightLimit;
                    velocityX = 0.0f;
                }
                shooter->SetX(x + kPushOffset);
            }
            frameBase = kCarryFrames;
        } else {
            velocityY = 0.0f;
            onGround = true;
            y = kShooterTopY;
        }
    }

    // Speech bubble.
    if (wordBubbleSprite != nullptr) {
        wordBubbleTime -= dt;
        if (wordBubbleTime > 0.0f) {
            wordBubbleSprite->SetPosition(x + kBubbleOffsetX, y + kBubbleOffsetY);
        } else {
            graphics->DestroySprite(wordBubbleSprite);
            wordBubbleSprite = nullptr;
        }
    }

    sprite->SetFrame(walkFrame + frameBase);
    if (blinkHidden) {
        sprite->SetPosition(kParkedX, kParkedY);
    } else {
        sprite->SetPosition(x, y);
    }
    sprite->SetMirrored(facingLeft);
}

void CPlayer::TakeHit()
{
    if (invulnerableTime > 0.0f) {
        return;
    }
    engine->GetSound()->PlaySound(gameState->sndHurt);
    --lives;
    gameState->RebuildHud();
    if (lives < 0) {
        sprite->SetPosition(kParkedX, kParkedY);
        gameState->ShowGameOver();
    }
    invulnerableTime = kProtectionTime;
    blinkTime = kBlinkPeriod;
}
