// Hiro through the recording host: walking, jumping, carrying, pushing, climbing, firing orders, hits.
#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace {

using PlayerTest = EntityTest;

// --- Walking and falling

TEST_F(PlayerTest, FirstUpdateAfterSetupFallsThroughTheFloorAndLands)
{
    CPlayer& player = *game->player;
    EXPECT_FALSE(player.onGround);
    host.RunFrame();
    EXPECT_TRUE(player.onGround);
    EXPECT_EQ(player.y, 464.0f);
    EXPECT_EQ(player.velocityY, 0.0f);
    EXPECT_EQ(PlayerSprite().x, 220.0f);
    EXPECT_EQ(PlayerSprite().y, 464.0f);
    EXPECT_EQ(PlayerSprite().frame, 0);
    EXPECT_FALSE(PlayerSprite().mirrored);
}

TEST_F(PlayerTest, HeldRightSettlesAtTheLimitLessOneFrameOfFriction)
{
    Calm();
    Hold("right", 20);
    const float before = PlayerSprite().x;
    Hold("right", 1);
    const float expected = 200.0f - 1000.0f * kFrame60;   // about 183.3
    EXPECT_NEAR(game->player->velocityX, expected, 1e-3f);
    EXPECT_NEAR(PlayerSprite().x - before, expected * kFrame60, 1e-3f);
    EXPECT_FALSE(PlayerSprite().mirrored);
    EXPECT_EQ(host.ImageOf(PlayerSprite()).rfind("images\\Hiro", 0), 0u);
}

TEST_F(PlayerTest, EveryEntryOfAFrameCountsAndTheStrengthIsIgnored)
{
    Calm();
    host.Push("left", 0.01f);
    host.Push("left", 0.01f);
    host.RunFrame();
    // Two ground accelerations of 2000 px/s², then one frame of friction.
    EXPECT_NEAR(game->player->velocityX, -2.0f * 2000.0f * kFrame60 + 1000.0f * kFrame60, 1e-3f);
    EXPECT_TRUE(PlayerSprite().mirrored);
}

TEST_F(PlayerTest, AFrameTimeOfTwoSecondsCountsAsHalfASecond)
{
    Calm();
    // In the air, with no friction: 200 px/s (the limit) for half a second.
    host.Push("up");
    host.RunFrame();
    host.SetFrameTime(2.0f);
    const float x = PlayerSprite().x;
    host.Push("left");
    host.RunFrame();
    EXPECT_FLOAT_EQ(PlayerSprite().x, x - 100.0f);
    EXPECT_EQ(PlayerSprite().y, 464.0f);

    // Half of the second of protection is left, so the next hit still does nothing.
    game->player->TakeHit();
    host.RunFrame();
    game->player->TakeHit();
    EXPECT_EQ(game->player->lives, 2);
    host.RunFrame();
    game->player->TakeHit();
    EXPECT_EQ(game->player->lives, 1);
}

TEST_F(PlayerTest, TheLeftWallStopsThePlayerAtSixteen)
{
    Calm();
    Hold("left", 120);
    EXPECT_EQ(PlayerSprite().x, 16.0f);
    EXPECT_EQ(game->player->velocityX, 0.0f);
    Hold("left", 3);
    EXPECT_EQ(PlayerSprite().x, 16.0f);
}

TEST_F(PlayerTest, TheWalkPhaseFlipsEveryPointFifteenSecondsWhileMovingOnTheGround)
{
    Calm();
    host.SetFrameTime(0.1f);
    std::vector<int> frames;
    for (int i = 0; i < 7; ++i) {
        Hold("left", 1);
        frames.push_back(PlayerSprite().frame);
    }
    // The first update starts walking; after that the phase runs out every second update.
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 1, 0, 0, 1}));
    host.RunFrames(3);   // friction stops him, and standing shows frame 0
    EXPECT_EQ(PlayerSprite().frame, 0);
}

// --- Jumping

TEST_F(PlayerTest, AJumpAtSixtyFramesPerSecondRisesOneHundredPixelsAndLandsInTheThirtySecondFrame)
{
    Calm();
    host.Push("up");
    float highest = 464.0f;
    int landedIn = 0;
    for (int frame = 1; frame <= 40 && landedIn == 0; ++frame) {
        host.RunFrame();
        highest = std::min(highest, PlayerSprite().y);
        if (game->player->onGround) {
            landedIn = frame;
        }
    }
    EXPECT_NEAR(highest, 364.0f, 1e-2f);
    EXPECT_EQ(landedIn, 32);
    EXPECT_EQ(PlayerSprite().y, 464.0f);
    EXPECT_EQ(Played(kJumpSound), 1);
}

TEST_F(PlayerTest, TwoJumpOrdersInOneFrameJumpOnceAndAJumpInTheAirIsSwallowed)
{
    Calm();
    host.Push("up");
    host.Push("gamepadA");
    host.Push("enter");
    host.RunFrame();
    EXPECT_EQ(Played(kJumpSound), 1);
    EXPECT_EQ(host.LeftInQueue(), std::vector<std::string>{"enter"});

    const float speed = game->player->velocityY;
    host.Push("up");
    host.RunFrame();
    EXPECT_EQ(Played(kJumpSound), 1);
    EXPECT_FLOAT_EQ(game->player->velocityY, speed + 3000.0f * kFrame60);
    EXPECT_TRUE(host.LeftInQueue().empty());   // taken from the queue all the same
}

TEST_F(PlayerTest, MovingAfterAJumpInTheSameFrameUsesTheAirAcceleration)
{
    Calm();
    host.Push("up");
    host.Push("left");
    host.RunFrame();
    EXPECT_NEAR(game->player->velocityX, -1000.0f * kFrame60, 1e-3f);
    // In the air there is no friction, and the facing does not change.
    EXPECT_FALSE(PlayerSprite().mirrored);
}

TEST_F(PlayerTest, MovingBeforeAJumpInTheSameFrameUsesTheGroundAcceleration)
{
    Calm();
    host.Push("left");
    host.Push("up");
    host.RunFrame();
    EXPECT_NEAR(game->player->velocityX, -2000.0f * kFrame60, 1e-3f);
}

// --- Ammo boxes

TEST_F(PlayerTest, PickingUpTheLeftBoxEmptiesTheCornerAndStartsItsTimerInTheSameFrame)
{
    Calm();
    CAmmoBox* box = game->leftAmmoBox;
    float before = PlayerSprite().x;
    int frames = 0;
    while (game->leftAmmoBox != nullptr && frames < 200) {
        before = PlayerSprite().x;
        Hold("left", 1);
        ++frames;
    }
    ASSERT_EQ(game->leftAmmoBox, nullptr);
    EXPECT_GE(before, 48.0f);
    EXPECT_LT(PlayerSprite().x, 48.0f);
    EXPECT_EQ(game->leftAmmoBoxTimer, 8.0f);
    EXPECT_EQ(game->player->carriedBox, box);
    EXPECT_NE(game->rightAmmoBox, nullptr);
    EXPECT_EQ(game->rightAmmoBoxTimer, 0.0f);

    // From the next frame on he shows the carrying frames and holds the box in front of him.
    Hold("left", 1);
    EXPECT_GE(PlayerSprite().frame, 2);
    EXPECT_EQ(SpriteOf(box->sprite).x, PlayerSprite().x - 32.0f);
    EXPECT_EQ(SpriteOf(box->sprite).y, PlayerSprite().y);
}

TEST_F(PlayerTest, TheBoxIsHandedOverWhenTheBoxNotThePlayerIsWithinReachOfTheShooter)
{
    Calm();
    game->player->x = 40.0f;   // within reach of the left box
    host.RunFrame();
    CAmmoBox* box = game->player->carriedBox;
    ASSERT_NE(box, nullptr);
    CVantorSprite* boxSprite = box->sprite;

    int frames = 0;
    while (game->shooter->ammo == 3 && frames < 300) {
        Hold("right", 1);
        ++frames;
    }
    ASSERT_EQ(game->shooter->ammo, 6);
    EXPECT_EQ(game->player->carriedBox, nullptr);
    EXPECT_EQ(Played(kAmmoUpSound), 1);
    EXPECT_EQ(AmmoIcons(), 6);
    EXPECT_LE(game->shooter->x - PlayerSprite().x, 64.0f);
    EXPECT_GE(game->shooter->x - PlayerSprite().x, 32.0f);   // the player himself is out of reach
    EXPECT_LT(game->shooter->x - SpriteOf(boxSprite).x, 32.0f);
    // The box has ended itself: it comes after the player in the frame.
    EXPECT_FALSE(SpriteOf(boxSprite).alive);
    EXPECT_FALSE(host.IsLive(box));
}

TEST_F(PlayerTest, TheRightBoxIsPickedUpFromTheRightCorner)
{
    Calm();
    game->player->x = 600.0f;
    CAmmoBox* box = game->rightAmmoBox;
    host.RunFrame();
    EXPECT_EQ(game->player->carriedBox, box);
    EXPECT_EQ(game->rightAmmoBox, nullptr);
    EXPECT_EQ(game->rightAmmoBoxTimer, 8.0f);
    EXPECT_NE(game->leftAmmoBox, nullptr);
}

// --- The shooter

TEST_F(PlayerTest, PushingTheShooterRightStopsWithThePlayerAt510AndTheShooterAt542)
{
    Calm();
    Hold("right", 300);
    EXPECT_EQ(PlayerSprite().x, 510.0f);
    EXPECT_EQ(ShooterSprite().x, 542.0f);
    EXPECT_EQ(ShooterSprite().y, 464.0f);
    EXPECT_GE(PlayerSprite().frame, 2);   // pushing shows the carrying frames

    // Standing still leaves it exactly out of reach: it does not move by itself.
    host.RunFrames(30);
    EXPECT_EQ(ShooterSprite().x, 542.0f);
    EXPECT_LT(PlayerSprite().frame, 2);
}

TEST_F(PlayerTest, PushingTheShooterLeftStopsWithThePlayerAt130AndTheShooterAt98)
{
    Calm();
    game->player->x = 400.0f;
    Hold("left", 300);
    EXPECT_EQ(PlayerSprite().x, 130.0f);
    EXPECT_EQ(ShooterSprite().x, 98.0f);
    EXPECT_TRUE(PlayerSprite().mirrored);
    // The shot comes from where the shooter stands now.
    host.RunFrames(20);
    game->shooter->Fire();
    ASSERT_EQ(game->bullets.size(), 1u);
    EXPECT_EQ(SpriteOf(game->bullets.back()->sprite).x, 92.0f);
}

TEST_F(PlayerTest, StandingOnTheShooterAlternatesBetweenStandingAndFallingFrames)
{
    Calm();
    CPlayer& player = *game->player;
    player.x = 320.0f;
    player.y = 300.0f;
    player.onGround = false;
    int frames = 0;
    while (!player.onGround && frames < 60) {
        host.RunFrame();
        ++frames;
    }
    ASSERT_TRUE(player.onGround);
    EXPECT_EQ(PlayerSprite().y, 432.0f);

    std::vector<bool> standing;
    for (int i = 0; i < 4; ++i) {
        host.RunFrame();
        standing.push_back(player.onGround);
        EXPECT_EQ(PlayerSprite().y, 432.0f);
    }
    EXPECT_EQ(standing, (std::vector<bool>{false, true, false, true}));

    // A jump order on a standing frame jumps; on a falling frame it does nothing.
    host.Push("up");
    host.RunFrame();
    EXPECT_EQ(Played(kJumpSound), 1);
}

TEST_F(PlayerTest, AJumpOrderInAFallingFrameOnTheShooterIsLost)
{
    Calm();
    CPlayer& player = *game->player;
    player.x = 320.0f;
    player.y = 300.0f;
    player.onGround = false;
    while (!player.onGround) {
        host.RunFrame();
    }
    host.RunFrame();   // the standing frame ends with onGround cleared by the floor test
    ASSERT_FALSE(player.onGround);
    host.Push("up");
    host.RunFrame();
    EXPECT_EQ(Played(kJumpSound), 0);
    EXPECT_EQ(PlayerSprite().y, 432.0f);
}

TEST_F(PlayerTest, WalkingOffTheShooterFallsToTheFloor)
{
    Calm();
    CPlayer& player = *game->player;
    player.x = 320.0f;
    player.y = 300.0f;
    player.onGround = false;
    host.RunFrames(30);
    Hold("right", 40);
    host.RunFrames(60);
    EXPECT_EQ(PlayerSprite().y, 464.0f);
    EXPECT_GT(PlayerSprite().x, 352.0f);
    EXPECT_EQ(ShooterSprite().x, 320.0f);
}

// --- Firing orders and the speech bubble

TEST_F(PlayerTest, AFiringOrderShowsTheBubbleOnceAndKeepsItsTime)
{
    Calm();
    host.RunFrames(12);   // past the shooter's first cool-down
    host.Push("shoot");
    host.RunFrame();
    EXPECT_EQ(Played(kShootSound), 1);
    std::vector<RecordedSprite*> bubbles = host.LiveSpritesOf(kWordBubbleImage);
    ASSERT_EQ(bubbles.size(), 1u);
    EXPECT_EQ(bubbles[0]->x, 220.0f + 48.0f);
    EXPECT_EQ(bubbles[0]->y, 464.0f - 28.0f);

    // An order while it shows fires again (here: still cooling down) but keeps the bubble.
    host.RunFrames(5);
    host.Push("gamepadB");
    host.RunFrame();
    int created = 0;
    for (const auto& sprite : host.AllSprites()) {
        created += host.ImageOf(*sprite) == kWordBubbleImage ? 1 : 0;
    }
    EXPECT_EQ(created, 1);
    host.RunFrames(4);   // 11 updates since it was made
    EXPECT_TRUE(bubbles[0]->alive);
    host.RunFrames(2);   // 0.2 s have passed
    EXPECT_FALSE(bubbles[0]->alive);
    EXPECT_EQ(game->player->wordBubbleSprite, nullptr);
}

TEST_F(PlayerTest, AFiringOrderWithoutAmmunitionStillShowsTheBubble)
{
    Calm();
    host.RunFrames(12);
    game->shooter->ammo = 0;
    host.Push("shoot");
    host.RunFrame();
    EXPECT_EQ(Played(kShootSound), 0);
    EXPECT_TRUE(game->bullets.empty());
    EXPECT_EQ(host.LiveSpritesOf(kWordBubbleImage).size(), 1u);
}

TEST_F(PlayerTest, WithAFrameTimeOfAFifthOfASecondTheBubbleComesAndGoesInOneUpdate)
{
    Calm();
    host.SetFrameTime(0.2f);
    host.ClearCalls();
    host.Push("shoot");
    host.RunFrame();
    const int handle = game->imgWordBubble;
    int made = 0;
    for (const auto& sprite : host.AllSprites()) {
        if (!sprite->frames.empty() && sprite->frames[0] == handle) {
            ++made;
            EXPECT_FALSE(sprite->alive);
        }
    }
    EXPECT_EQ(made, 1);
    EXPECT_EQ(game->player->wordBubbleSprite, nullptr);
}

// --- Hits

TEST_F(PlayerTest, AHitCostsALifeAndProtectsForASecondWhileTheSpriteBlinks)
{
    Calm();
    game->player->TakeHit();
    EXPECT_EQ(Played(kHurtSound), 1);
    EXPECT_EQ(game->player->lives, 2);
    EXPECT_EQ(LifeIcons(), 2);

    game->player->TakeHit();   // protected: nothing at all
    EXPECT_EQ(Played(kHurtSound), 1);
    EXPECT_EQ(game->player->lives, 2);

    int parked = 0;
    int shown = 0;
    for (int i = 0; i < 60; ++i) {
        host.RunFrame();
        const bool away = PlayerSprite().x == 1000.0f && PlayerSprite().y == 1000.0f;
        parked += away ? 1 : 0;
        shown += away ? 0 : 1;
    }
    EXPECT_GE(parked, 24);
    EXPECT_GE(shown, 24);
    host.RunFrames(2);
    EXPECT_EQ(PlayerSprite().x, 220.0f);
    host.RunFrames(10);
    EXPECT_EQ(PlayerSprite().x, 220.0f);   // no blinking once the protection is over

    game->player->TakeHit();
    EXPECT_EQ(game->player->lives, 1);
    EXPECT_EQ(Played(kHurtSound), 2);
}

TEST_F(PlayerTest, TheFourthHitEndsTheGameAtMinusOneLives)
{
    Calm();
    std::vector<int> lives;
    for (int hit = 0; hit < 3; ++hit) {
        game->player->TakeHit();
        lives.push_back(game->player->lives);
        EXPECT_TRUE(game->playing);
        host.RunFrames(70);
    }
    EXPECT_EQ(lives, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(LifeIcons(), 0);

    game->player->TakeHit();
    EXPECT_EQ(game->player->lives, -1);
    EXPECT_FALSE(game->playing);
    EXPECT_EQ(PlayerSprite().x, 1000.0f);
    EXPECT_EQ(PlayerSprite().y, 1000.0f);
    EXPECT_EQ(host.LiveSpritesOf("images\\GameOver.bmp").size(), 1u);

    // Frozen while the menu shows: his actions stay in the queue for the menu and the host.
    host.Push("right");
    host.Push("shoot");
    host.RunFrame();
    EXPECT_EQ(PlayerSprite().x, 1000.0f);
    EXPECT_EQ(host.LeftInQueue(), (std::vector<std::string>{"right", "shoot"}));
    EXPECT_TRUE(game->bullets.empty());
}

// --- Ending

TEST_F(PlayerTest, EndingWhileCarryingABoxEndsTheBoxAndTheBubbleToo)
{
    Calm();
    game->player->x = 40.0f;
    host.RunFrame();
    CAmmoBox* box = game->player->carriedBox;
    ASSERT_NE(box, nullptr);
    host.Push("shoot");
    host.RunFrame();
    CPlayer* player = game->player;
    RecordedSprite& body = SpriteOf(player->sprite);
    RecordedSprite& bubble = SpriteOf(player->wordBubbleSprite);
    RecordedSprite& boxSprite = SpriteOf(box->sprite);

    game->playing = false;   // as on the game-over screen, where a restart comes from
    player->pendingRemoval = true;
    host.RunFrame();
    EXPECT_FALSE(host.IsLive(player));
    EXPECT_FALSE(host.IsLive(box));
    EXPECT_FALSE(body.alive);
    EXPECT_FALSE(bubble.alive);
    EXPECT_FALSE(boxSprite.alive);
    EXPECT_TRUE(host.CallsStartingWith("DestroyEntity of").empty());
}

}  // namespace
