// Fireballs through the recording host: falling, reaching the player, passing the floor line.
#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace {

using FireballTest = EntityTest;

TEST_F(FireballTest, AFireballFallsAtFiveHundredAndStaysAtExactly464)
{
    Calm();
    host.SetFrameTime(0.125f);
    game->SpawnFireball(500.0f, 464.0f - 2.0f * 62.5f);
    CFireball* fireball = game->fireballs.back();
    const RecordedSprite& sprite = SpriteOf(fireball->sprite);
    host.RunFrame();
    EXPECT_EQ(sprite.y, 464.0f - 62.5f);
    host.RunFrame();
    EXPECT_EQ(sprite.y, 464.0f);
    EXPECT_EQ(sprite.x, 500.0f);
    EXPECT_TRUE(sprite.alive);
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_FALSE(host.IsLive(fireball));
    EXPECT_TRUE(game->fireballs.empty());
}

TEST_F(FireballTest, AFireballReachingThePlayerCostsALifeAndIsUsedUp)
{
    Calm();
    game->SpawnFireball(230.0f, 464.0f - 40.0f);
    CFireball* fireball = game->fireballs.back();
    const RecordedSprite& sprite = SpriteOf(fireball->sprite);
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_FALSE(host.IsLive(fireball));
    EXPECT_TRUE(game->fireballs.empty());
    EXPECT_EQ(Played(kHurtSound), 1);
    EXPECT_EQ(game->player->lives, 2);
    EXPECT_EQ(LifeIcons(), 2);
}

TEST_F(FireballTest, AFireballReachingAProtectedPlayerIsUsedUpWithoutAnyLoss)
{
    Calm();
    game->player->TakeHit();
    game->SpawnFireball(220.0f, 464.0f - 40.0f);
    const RecordedSprite& sprite = SpriteOf(game->fireballs.back()->sprite);
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_TRUE(game->fireballs.empty());
    EXPECT_EQ(Played(kHurtSound), 1);
    EXPECT_EQ(game->player->lives, 2);
}

TEST_F(FireballTest, AFireballExactly32PixelsToTheSidePassesThePlayer)
{
    Calm();
    game->SpawnFireball(220.0f + 32.0f, 300.0f);
    game->SpawnFireball(220.0f - 31.9f, 300.0f);
    host.RunFrames(30);
    EXPECT_TRUE(game->fireballs.empty());
    EXPECT_EQ(Played(kHurtSound), 1);   // only the one 31.9 away
    EXPECT_EQ(game->player->lives, 2);
}

TEST_F(FireballTest, WhileTheMenuShowsAFireballHangsInTheAirUntilARestartEndsIt)
{
    Calm();
    game->SpawnFireball(220.0f, 300.0f);
    CFireball* fireball = game->fireballs.back();
    const RecordedSprite& sprite = SpriteOf(fireball->sprite);
    game->playing = false;
    host.RunFrames(30);
    EXPECT_EQ(sprite.y, 300.0f);
    EXPECT_TRUE(sprite.alive);
    EXPECT_EQ(game->player->lives, 3);

    fireball->pendingRemoval = true;
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_FALSE(host.IsLive(fireball));
    EXPECT_TRUE(game->fireballs.empty());
    EXPECT_EQ(game->player->lives, 3);
}

}  // namespace
