// Hiro: movement, carrying, pushing, firing orders and hits.
#include "Player.h"

#include <cstring>

#include "AmmoBox.h"
#include "GameRules.h"
#include "GameState.h"
#include "PlayerMotion.h"
#include "Shooter.h"

namespace {
constexpr float kStartX = 220.0f;
constexpr float kWalkPeriod = 0.15f;
constexpr float kCarryOffset = 32.0f;
constexpr float kBoxRespawnDelay = 8.0f;
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

PlayerMotion MotionOf(const CPlayer& player)
{
    return {player.x, player.y, player.velocityX, player.velocityY, player.onGround, player.facingLeft};
}

void Store(CPlayer& player, const PlayerMotion& motion)
{
    player.x = motion.x;
    player.y = motion.y;
    player.velocityX = motion.velocityX;
    player.velocityY = motion.velocityY;
    player.onGround = motion.onGround;
    player.facingLeft = motion.facingLeft;
}

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
    y = kPlayerFloorY;
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
        End(graphics);
        return;
    }
    if (!gameState->playing) {
        return;
    }

    const float dt = ClampedFrameTime(engine);
    UpdateBlink(dt);
    UpdateWalkPhase(dt);
    HandleActions(graphics, dt);
    Store(*this, StepMotion(MotionOf(*this), dt));
    CarryOrPickUp();
    MeetShooter();
    UpdateWordBubble(graphics, dt);
    ShowSprite();
}

void CPlayer::End(CVantorGraphics* graphics)
{
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
}

void CPlayer::UpdateBlink(float dt)
{
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
}

void CPlayer::UpdateWalkPhase(float dt)
{
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
}

void CPlayer::HandleActions(CVantorGraphics* graphics, float dt)
{
    // Every entry counts, and each one sees the state the previous ones left.
    auto move = [&](MoveOrder order) { Store(*this, ApplyMoveOrder(MotionOf(*this), order, dt)); };
    std::list<ActionRecord>& actions = engine->GetActions();
    for (auto it = actions.begin(); it != actions.end();) {
        const ActionRecord& action = *it;
        if (Named(action, "left")) {
            move(MoveOrder::Left);
        } else if (Named(action, "right")) {
            move(MoveOrder::Right);
        } else if (Named(action, "up") || Named(action, "gamepadA")) {
            if (onGround) {
                engine->GetSound()->PlaySound(gameState->sndJump);
            }
            move(MoveOrder::Jump);
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
}

void CPlayer::CarryOrPickUp()
{
    // The box is moved first, so it is the box that has to reach the shooter.
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
}

void CPlayer::MeetShooter()
{
    CShooter* shooter = gameState->shooter;
    if (!shooter->IsNear(x, y)) {
        return;
    }
    const ShooterContact contact = TouchShooter(MotionOf(*this));
    Store(*this, contact.motion);
    if (contact.pushed) {
        shooter->SetX(contact.shooterX);
        frameBase = kCarryFrames;
    }
}

void CPlayer::UpdateWordBubble(CVantorGraphics* graphics, float dt)
{
    if (wordBubbleSprite == nullptr) {
        return;
    }
    wordBubbleTime -= dt;
    if (wordBubbleTime > 0.0f) {
        wordBubbleSprite->SetPosition(x + kBubbleOffsetX, y + kBubbleOffsetY);
    } else {
        graphics->DestroySprite(wordBubbleSprite);
        wordBubbleSprite = nullptr;
    }
}

void CPlayer::ShowSprite()
{
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
