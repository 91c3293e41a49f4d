// The shooter, its bullets and the ammo boxes through the recording host.
#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace {

using ShooterTest = EntityTest;

// --- Firing

TEST_F(ShooterTest, FiringBeforeTheFirstCoolDownHasRunOutDoesNothing)
{
    host.ClearCalls();
    game->shooter->Fire();
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(game->bullets.empty());
    EXPECT_EQ(game->shooter->ammo, 3);
}

TEST_F(ShooterTest, FiringWithoutAmmunitionDoesNothingAtAll)
{
    Calm();
    host.RunFrames(20);
    game->shooter->ammo = 0;
    host.ClearCalls();
    game->shooter->Fire();
    EXPECT_TRUE(host.calls.empty());   // no sound, no bullet, no frame, no HUD
    EXPECT_TRUE(game->bullets.empty());
    EXPECT_EQ(ShooterSprite().frame, 0);
}

TEST_F(ShooterTest, AShotSpawnsABulletAboveTheShooterAndShowsTheFiringFrameForItsCoolDown)
{
    Calm();
    host.SetFrameTime(0.125f);
    host.RunFrames(2);
    game->shooter->Fire();
    EXPECT_EQ(Played(kShootSound), 1);
    ASSERT_EQ(game->bullets.size(), 1u);
    const RecordedSprite& bullet = SpriteOf(game->bullets.back()->sprite);
    EXPECT_EQ(bullet.x, 314.0f);
    EXPECT_EQ(bullet.y, 442.0f);
    EXPECT_EQ(game->shooter->ammo, 2);
    EXPECT_EQ(AmmoIcons(), 2);
    EXPECT_EQ(host.ImageOf(ShooterSprite()), "images\\Shooter-fire.bmp");

    // 0.2 s of cool-down: still cooling after 0.125 s, idle again after 0.25 s.
    host.ClearCalls();
    host.RunFrame();
    EXPECT_EQ(ShooterSprite().frame, 1);
    game->shooter->Fire();
    EXPECT_EQ(game->bullets.size(), 1u);
    host.RunFrame();
    EXPECT_EQ(ShooterSprite().frame, 0);
    EXPECT_EQ(host.CallsStartingWith("SetFrame #" + std::to_string(ShooterSprite().id)).size(), 1u);
    game->shooter->Fire();
    EXPECT_EQ(game->bullets.size(), 2u);
}

TEST_F(ShooterTest, AHeldFiringOrderFiresAtMostOncePerFifthOfASecond)
{
    Calm();
    game->shooter->ammo = 100;
    std::vector<int> shotFrames;
    for (int frame = 0; frame < 90; ++frame) {
        const std::size_t before = host.CallsStartingWith("CreateEntity Bullet").size();
        Hold("shoot", 1);
        if (host.CallsStartingWith("CreateEntity Bullet").size() > before) {
            shotFrames.push_back(frame);
        }
    }
    ASSERT_GE(shotFrames.size(), 6u);
    for (std::size_t i = 1; i < shotFrames.size(); ++i) {
        const int gap = shotFrames[i] - shotFrames[i - 1];
        EXPECT_TRUE(gap == 12 || gap == 13) << "gap " << gap;
    }
}

TEST_F(ShooterTest, ThreeShotsEmptyTheShooterAndTheFourthOrderIsSilent)
{
    Calm();
    for (int shot = 0; shot < 4; ++shot) {
        host.RunFrames(13);
        game->shooter->Fire();
    }
    EXPECT_EQ(Played(kShootSound), 3);
    EXPECT_EQ(game->shooter->ammo, 0);
    EXPECT_EQ(AmmoIcons(), 0);
    EXPECT_EQ(host.CallsStartingWith("CreateEntity Bullet").size(), 3u);
}

TEST_F(ShooterTest, WhileTheMenuShowsTheShooterAndItsBulletsStandStill)
{
    Calm();
    host.RunFrames(13);
    game->shooter->Fire();
    host.RunFrames(2);
    const RecordedSprite& bullet = SpriteOf(game->bullets.back()->sprite);
    const float y = bullet.y;
    game->playing = false;
    host.RunFrames(30);
    EXPECT_EQ(bullet.y, y);
    EXPECT_TRUE(bullet.alive);
    EXPECT_EQ(ShooterSprite().frame, 1);
}

// --- Bullets

TEST_F(ShooterTest, ABulletRisesAtFiveHundredAndLeavesOnceAboveMinusSix)
{
    Calm();
    host.RunFrames(13);
    game->shooter->Fire();
    CBullet* bullet = game->bullets.back();
    const RecordedSprite& sprite = SpriteOf(bullet->sprite);
    host.RunFrame();
    EXPECT_NEAR(sprite.y, 442.0f - 500.0f * kFrame60, 1e-3f);
    EXPECT_EQ(sprite.x, 314.0f);
    host.RunFrames(52);   // 53 updates: about 0.3 px from the top
    EXPECT_TRUE(sprite.alive);
    host.RunFrame();      // 54: about -8
    EXPECT_FALSE(sprite.alive);
    EXPECT_FALSE(host.IsLive(bullet));
    EXPECT_TRUE(game->bullets.empty());
}

TEST_F(ShooterTest, ABulletAtExactlyMinusSixStays)
{
    Calm();
    host.SetFrameTime(0.125f);
    game->SpawnBullet(100.0f, -6.0f + 62.5f);
    const RecordedSprite& sprite = SpriteOf(game->bullets.back()->sprite);
    host.RunFrame();
    EXPECT_EQ(sprite.y, -6.0f);
    EXPECT_TRUE(sprite.alive);
    EXPECT_EQ(game->bullets.size(), 1u);
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_TRUE(game->bullets.empty());
}

TEST_F(ShooterTest, AFlaggedBulletEndsInItsNextUpdateEvenWhileTheMenuShows)
{
    Calm();
    game->SpawnBullet(100.0f, 300.0f);
    game->SpawnBullet(200.0f, 300.0f);
    CBullet* first = game->bullets.front();
    CBullet* second = game->bullets.back();
    const RecordedSprite& sprite = SpriteOf(first->sprite);
    game->playing = false;
    first->pendingRemoval = true;
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_FALSE(host.IsLive(first));
    EXPECT_EQ(game->bullets, (std::list<CBullet*>{second}));
}

// --- Ammo boxes

TEST_F(ShooterTest, ADeliveredBoxGivesThreeShotsWithNoCapAndEndsInItsNextUpdate)
{
    Calm();
    CAmmoBox* left = game->leftAmmoBox;
    CAmmoBox* right = game->rightAmmoBox;
    const RecordedSprite& leftSprite = SpriteOf(left->sprite);
    const RecordedSprite& rightSprite = SpriteOf(right->sprite);
    // Held by the player, as after a pickup: no longer in a corner.
    game->leftAmmoBox = nullptr;
    game->rightAmmoBox = nullptr;

    left->Deliver();
    EXPECT_EQ(Played(kAmmoUpSound), 1);
    EXPECT_EQ(game->shooter->ammo, 6);
    EXPECT_EQ(AmmoIcons(), 6);
    EXPECT_TRUE(leftSprite.alive);
    right->Deliver();
    EXPECT_EQ(game->shooter->ammo, 9);
    EXPECT_EQ(AmmoIcons(), 9);

    game->playing = false;   // a box ends itself whatever the game is doing
    host.RunFrame();
    EXPECT_FALSE(leftSprite.alive);
    EXPECT_FALSE(rightSprite.alive);
    EXPECT_FALSE(host.IsLive(left));
    EXPECT_FALSE(host.IsLive(right));
}

TEST_F(ShooterTest, ABoxLyingInItsCornerDoesNothing)
{
    Calm();
    const RecordedSprite& sprite = SpriteOf(game->leftAmmoBox->sprite);
    host.ClearCalls();
    host.RunFrames(30);
    EXPECT_TRUE(sprite.alive);
    EXPECT_EQ(sprite.x, 16.0f);
    EXPECT_EQ(sprite.y, 464.0f);
    EXPECT_TRUE(host.CallsStartingWith("SetPosition #" + std::to_string(sprite.id)).empty());
}

TEST_F(ShooterTest, AFlaggedShooterEndsItselfWhileTheMenuShows)
{
    Calm();
    CShooter* shooter = game->shooter;
    const RecordedSprite& sprite = ShooterSprite();
    game->playing = false;
    shooter->pendingRemoval = true;
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_FALSE(host.IsLive(shooter));
}

}  // namespace
