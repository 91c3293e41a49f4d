// Hiro, the player: walks with momentum, jumps, carries ammo boxes to the shooter, pushes and
// climbs it, orders it to fire, and loses a life to each fireball.
#pragma once

#include <cstdint>

#include "VantorEngine.h"
#include "VantorEntity.h"

class CGameState;
class CAmmoBox;

class CPlayer final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* engine) override;
    void Update() override;

    void Setup(CGameState* gameState);
    // A fireball reached the player; ignored while protected.
    void TakeHit();

    CVantorEngine* engine;
    CGameState* gameState;
    CVantorSprite* sprite;               // frames: standing, walking, carrying 1, carrying 2
    CVantorSprite* wordBubbleSprite;     // the speech bubble while shown, else null
    float x;
    float y;
    float velocityX;                     // positive to the right
    float velocityY;                     // positive downward
    float invulnerableTime;              // protection left after a hit
    float blinkTime;                     // time until the blink flips again
    float wordBubbleTime;                // time the speech bubble has left
    int32_t frameBase;                   // 0 plain frames, 2 carrying frames
    int32_t walkFrame;                   // walk phase, 0 or 1
    float walkTime;                      // time until the walk phase flips
    bool onGround;
    bool facingLeft;
    bool blinkHidden;                    // parked off screen for this blink phase
    bool pendingRemoval;
    int32_t lives;
    CAmmoBox* carriedBox;                // null when empty-handed

private:
    // The steps of Update, in the order it takes them; the movement itself is in PlayerMotion.
    void End(CVantorGraphics* graphics);
    void UpdateBlink(float dt);
    void UpdateWalkPhase(float dt);
    void HandleActions(CVantorGraphics* graphics, float dt);
    void CarryOrPickUp();
    void MeetShooter();
    void UpdateWordBubble(CVantorGraphics* graphics, float dt);
    void ShowSprite();
};
