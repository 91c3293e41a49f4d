// A short whole game through the recording host, driven by actions only once it is set up: carry a
// box to the shooter, shoot the demon, lose every life to another one, reach the menu, Retry.
#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace {

using WholeGameTest = EntityTest;

// Runs frames until the condition holds, at most a limit; true when it came to hold.
template <typename Condition>
bool RunUntil(GameHost& host, Condition condition, int limit = 1200)
{
    for (int i = 0; i < limit && !condition(); ++i) {
        host.RunFrame();
    }
    return condition();
}

TEST_F(WholeGameTest, CarryShootLoseEveryLifeReachTheMenuAndRetry)
{
    // One demon at a time, each placed by the test: this one drifts up and down in the line of
    // fire and never fires.
    game->enemyTimer = 1.0e9f;
    CEnemy* target = game->enemies.front();
    target->x = 314.0f;
    target->y = 100.0f;
    target->directionX = 0.0f;
    target->directionY = -1.0f;
    target->fireTime = 1.0e9f;
    host.RunFrame();

    // Walk to the left corner and take the box.
    ASSERT_TRUE(RunUntil(host, [&] {
        host.Push("left");
        return game->leftAmmoBox == nullptr;
    }));
    // Carry it to the shooter.
    ASSERT_TRUE(RunUntil(host, [&] {
        host.Push("right");
        return AmmoIcons() == 6;
    }));
    EXPECT_EQ(Played(kAmmoUpSound), 1);
    host.RunFrames(30);   // slide to a stop
    EXPECT_EQ(ShooterSprite().x, 320.0f);

    // Shoot the demon.
    host.Push("shoot");
    host.RunFrame();
    EXPECT_EQ(AmmoIcons(), 5);
    EXPECT_EQ(Played(kShootSound), 1);
    ASSERT_TRUE(RunUntil(host, [&] { return game->score == 50; }, 120));
    EXPECT_EQ(Played(kExplosionSound), 1);
    EXPECT_TRUE(game->enemies.empty());
    EXPECT_EQ(ScoreRow(), "50");
    EXPECT_EQ(HighScoreRow(), "50");
    host.RunFrames(5);
    EXPECT_TRUE(game->bullets.empty());

    // A demon arrives right above Hiro, drifting up and down and firing every second.
    const float hiroX = PlayerSprite().x;
    const int column = static_cast<int>((hiroX - 32.0f) * CRandom::kMax / 576.0f) + 1;
    for (int draw : {column, 0, 16384, 32767}) {
        game->random.Enqueue(draw);
    }
    for (int i = 0; i < 20; ++i) {
        game->random.Enqueue(0);   // every fire delay: 1 s
    }
    game->SpawnEnemy();
    ASSERT_NEAR(SpriteOf(game->enemies.back()->sprite).x, hiroX, 2.0f);

    std::vector<int> lives;
    ASSERT_TRUE(RunUntil(host, [&] {
        if (Played(kHurtSound) > static_cast<int>(lives.size())) {
            lives.push_back(LifeIcons());
        }
        return !game->playing;
    }));
    EXPECT_EQ(lives, (std::vector<int>{2, 1, 0, 0}));
    EXPECT_EQ(game->player->lives, -1);

    // The menu, with Retry chosen; nothing moves behind it.
    EXPECT_EQ(host.LiveSpritesOf("images\\GameOver.bmp").size(), 1u);
    EXPECT_EQ(host.LiveSpritesOf("images\\Retry.bmp").size(), 1u);
    EXPECT_EQ(host.LiveSpritesOf("images\\Quit.bmp").size(), 1u);
    const std::vector<RecordedSprite*> arrow = host.LiveSpritesOf("images\\Arrow.bmp");
    ASSERT_EQ(arrow.size(), 1u);
    EXPECT_EQ(arrow[0]->y, 268.0f);
    const RecordedSprite& demon = SpriteOf(game->enemies.back()->sprite);
    const float demonY = demon.y;
    host.RunFrames(60);
    EXPECT_EQ(demon.y, demonY);
    EXPECT_EQ(Played(kHurtSound), 4);

    // Retry: the old game ends itself and a new one starts with the saved high score.
    host.Post("enter");
    host.RunFrame();
    EXPECT_TRUE(game->playing);
    const std::vector<CVantorEntity*> live = host.LiveEntities();
    EXPECT_EQ(live.size(), 6u);   // game state, player, shooter, two boxes, one demon
    EXPECT_EQ(LifeIcons(), 3);
    EXPECT_EQ(AmmoIcons(), 3);
    EXPECT_EQ(ScoreRow(), "0");
    EXPECT_EQ(HighScoreRow(), "50");
    EXPECT_TRUE(host.LiveSpritesOf("images\\GameOver.bmp").empty());
    EXPECT_FALSE(demon.alive);
    EXPECT_EQ(host.LiveSprites().size(), 1u + 1u + 1u + 2u + 1u + 3u + 3u + 1u + 2u);
    EXPECT_EQ(PlayerSprite().x, 220.0f);

    // And it plays.
    game->enemyTimer = 1.0e9f;
    game->enemies.front()->fireTime = 1.0e9f;
    Hold("right", 10);
    EXPECT_GT(PlayerSprite().x, 220.0f);

    // Nothing was ever ended twice or touched after it ended.
    EXPECT_TRUE(host.CallsStartingWith("DestroyEntity of").empty());
    EXPECT_TRUE(host.CallsStartingWith("DestroySprite of").empty());
    for (const std::string& call : host.CallsStartingWith("DestroySprite")) {
        EXPECT_EQ(call.find("already dead"), std::string::npos) << call;
    }
}

}  // namespace
