// Hiro's movement: acceleration, jumps, friction, gravity, floor, walls and the shooter.
#include "PlayerMotion.h"

namespace {
constexpr float kLeftLimit = 16.0f;
constexpr float kRightLimit = 624.0f;
constexpr float kShooterTopY = 432.0f;        // centre y when standing on the shooter
constexpr float kSpeedLimit = 200.0f;
constexpr float kGroundAcceleration = 2000.0f;
constexpr float kAirAcceleration = 1000.0f;
constexpr float kFriction = 1000.0f;
constexpr float kJumpSpeed = 800.0f;
constexpr float kGravity = 3000.0f;
constexpr float kPushLeftLimit = 130.0f;
constexpr float kPushRightLimit = 510.0f;
constexpr float kPushOffset = 32.0f;
}  // namespace

PlayerMotion ApplyMoveOrder(PlayerMotion motion, MoveOrder order, float dt)
{
    switch (order) {
    case MoveOrder::Left:
        motion.velocityX -= dt * (motion.onGround ? kGroundAcceleration : kAirAcceleration);
        if (motion.velocityX < -kSpeedLimit) {
            motion.velocityX = -kSpeedLimit;
        }
        break;
    case MoveOrder::Right:
        motion.velocityX += dt * (motion.onGround ? kGroundAcceleration : kAirAcceleration);
        if (motion.velocityX > kSpeedLimit) {
            motion.velocityX = kSpeedLimit;
        }
        break;
    case MoveOrder::Jump:
        if (motion.onGround) {
            motion.velocityY = -kJumpSpeed;
            motion.onGround = false;
        }
        break;
    }
    return motion;
}

PlayerMotion StepMotion(PlayerMotion motion, float dt)
{
    // Friction on the ground (the facing follows the speed that is left), gravity in the air.
    if (motion.onGround) {
        if (motion.velocityX > 0.0f) {
            motion.facingLeft = false;
            motion.velocityX -= dt * kFriction;
            if (motion.velocityX < 0.0f) {
                motion.velocityX = 0.0f;
            }
        }
        if (motion.velocityX < 0.0f) {
            motion.facingLeft = true;
            motion.velocityX += dt * kFriction;
            if (motion.velocityX > 0.0f) {
                motion.velocityX = 0.0f;
            }
        }
    } else {
        motion.velocityY += dt * kGravity;
    }

    motion.x += motion.velocityX * dt;
    motion.y += motion.velocityY * dt;

    // Floor, then walls, then landing. Exactly on the floor keeps onGround as it was, which is
    // what holds a standing player up, since no gravity is applied on the ground.
    if (motion.y < kPlayerFloorY) {
        motion.onGround = false;
    }
    if (motion.x < kLeftLimit) {
        motion.x = kLeftLimit;
        motion.velocityX = 0.0f;
    } else if (motion.x > kRightLimit) {
        motion.x = kRightLimit;
        motion.velocityX = 0.0f;
    }
    if (motion.y > kPlayerFloorY) {
        motion.onGround = true;
        motion.y = kPlayerFloorY;
        motion.velocityY = 0.0f;
    }
    return motion;
}

ShooterContact TouchShooter(PlayerMotion motion)
{
    ShooterContact contact{motion, false, 0.0f};
    PlayerMotion& m = contact.motion;
    if (m.onGround) {
        if (m.velocityX < 0.0f) {
            if (m.x < kPushLeftLimit) {
                m.x = kPushLeftLimit;
                m.velocityX = 0.0f;
            }
            contact.shooterX = m.x - kPushOffset;
        } else {
            if (m.x > kPushRightLimit) {
                m.x = kPushRightLimit;
                m.velocityX = 0.0f;
            }
            contact.shooterX = m.x + kPushOffset;
        }
        contact.pushed = true;
    } else {
        m.velocityY = 0.0f;
        m.onGround = true;
        m.y = kShooterTopY;
    }
    return contact;
}
