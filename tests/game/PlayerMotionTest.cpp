// Hiro's movement step without a host: the clamps that keep him from reversing, overshooting
// the speed limit or leaving the screen, and what touching the shooter does.
#include "PlayerMotion.h"

#include <gtest/gtest.h>

namespace {

constexpr float kFrame = 1.0f / 60.0f;

PlayerMotion OnFloor(float x, float velocityX, bool facingLeft = false)
{
    return {x, kPlayerFloorY, velocityX, 0.0f, true, facingLeft};
}

TEST(PlayerMotionTest, FrictionStopsAtZeroWithoutTurningAndStandingKeepsTheFacing)
{
    PlayerMotion right = StepMotion(OnFloor(300.0f, 5.0f, true), kFrame);
    EXPECT_EQ(right.velocityX, 0.0f);
    EXPECT_FALSE(right.facingLeft);
    EXPECT_FLOAT_EQ(right.x, 300.0f);

    PlayerMotion left = StepMotion(OnFloor(300.0f, -5.0f), kFrame);
    EXPECT_EQ(left.velocityX, 0.0f);
    EXPECT_TRUE(left.facingLeft);

    // Still on the floor, nothing changes, and the floor holds him without gravity.
    for (bool facingLeft : {false, true}) {
        const PlayerMotion still = StepMotion(OnFloor(300.0f, 0.0f, facingLeft), kFrame);
        EXPECT_EQ(still.facingLeft, facingLeft);
        EXPECT_TRUE(still.onGround);
        EXPECT_EQ(still.y, kPlayerFloorY);
        EXPECT_EQ(still.velocityY, 0.0f);
    }
}

TEST(PlayerMotionTest, EveryOrderIsCappedAtTheSpeedLimitAlsoInTheAir)
{
    PlayerMotion air{300.0f, 400.0f, -195.0f, 0.0f, false, false};
    air = ApplyMoveOrder(air, MoveOrder::Left, 0.5f);
    EXPECT_EQ(air.velocityX, -200.0f);
    air = ApplyMoveOrder(air, MoveOrder::Right, kFrame);
    EXPECT_FLOAT_EQ(air.velocityX, -200.0f + 1000.0f * kFrame);

    PlayerMotion ground = OnFloor(300.0f, 199.0f);
    ground = ApplyMoveOrder(ground, MoveOrder::Right, kFrame);
    EXPECT_EQ(ground.velocityX, 200.0f);

    // A jump in the air changes nothing; on the floor it starts upward and leaves the floor.
    EXPECT_EQ(ApplyMoveOrder(air, MoveOrder::Jump, kFrame).velocityY, 0.0f);
    const PlayerMotion jump = ApplyMoveOrder(ground, MoveOrder::Jump, kFrame);
    EXPECT_EQ(jump.velocityY, -800.0f);
    EXPECT_FALSE(jump.onGround);
    EXPECT_EQ(jump.velocityX, 200.0f);
}

TEST(PlayerMotionTest, FallingIntoTheRightCornerStopsAtTheWallAndOnTheFloorInOneStep)
{
    const PlayerMotion corner = StepMotion({620.0f, 460.0f, 200.0f, 600.0f, false, false}, 0.1f);
    EXPECT_EQ(corner.x, 624.0f);
    EXPECT_EQ(corner.velocityX, 0.0f);
    EXPECT_EQ(corner.y, kPlayerFloorY);
    EXPECT_EQ(corner.velocityY, 0.0f);
    EXPECT_TRUE(corner.onGround);
    EXPECT_FALSE(corner.facingLeft);   // no friction in the air, so the facing is kept
}

TEST(PlayerMotionTest, TouchingTheShooter)
{
    // Standing still counts as pushing to the right: the shooter goes 32 px to his right.
    ShooterContact still = TouchShooter(OnFloor(300.0f, 0.0f, true));
    EXPECT_TRUE(still.pushed);
    EXPECT_EQ(still.shooterX, 332.0f);
    EXPECT_EQ(still.motion.x, 300.0f);

    // Past the left limit he is held back and stops; the shooter goes to his left.
    ShooterContact left = TouchShooter(OnFloor(125.0f, -150.0f, true));
    EXPECT_TRUE(left.pushed);
    EXPECT_EQ(left.motion.x, 130.0f);
    EXPECT_EQ(left.motion.velocityX, 0.0f);
    EXPECT_EQ(left.shooterX, 98.0f);

    // In the air he lands on top, keeping his sideways speed; the shooter does not move.
    ShooterContact landing = TouchShooter({310.0f, 440.0f, 120.0f, 500.0f, false, false});
    EXPECT_FALSE(landing.pushed);
    EXPECT_EQ(landing.motion.y, 432.0f);
    EXPECT_EQ(landing.motion.velocityY, 0.0f);
    EXPECT_TRUE(landing.motion.onGround);
    EXPECT_EQ(landing.motion.x, 310.0f);
    EXPECT_EQ(landing.motion.velocityX, 120.0f);
}

}  // namespace
