// Spawning demons, bullets and fireballs, the reach test, the bullets' positions, and list removal by pointer.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cmath>

#include "AmmoBox.h"
#include "BulletSpots.h"
#include "Bullet.h"
#include "Enemy.h"
#include "EntityList.h"
#include "Fireball.h"
#include "GameTestSupport.h"
#include "Shooter.h"

using ::testing::ElementsAre;

class Spawn : public GameTest {
protected:
    void SetUp() override
    {
        Start();
        ASSERT_TRUE(host.attachResult);
    }

    CEnemy& SpawnWith(int r1, int r2, int r3, int r4, int r5)
    {
        for (int r : {r1, r2, r3, r4, r5}) {
            game->random.Enqueue(r);
        }
        game->SpawnEnemy();
        return *game->enemies.back();
    }
};

TEST_F(Spawn, DemonPositionsSpanTheirWholeRange)
{
    CEnemy& low = SpawnWith(0, 0, 0, 0, 0);
    EXPECT_EQ(low.x, 32.0f);
    EXPECT_EQ(low.y, 32.0f);
    EXPECT_EQ(low.fireTime, 1.0f);
    CEnemy& high = SpawnWith(32767, 32767, 32767, 32767, 32767);
    EXPECT_EQ(high.x, 608.0f);
    EXPECT_EQ(high.y, 240.0f);
    EXPECT_EQ(high.fireTime, 5.0f);
    // Integer arithmetic: 576 * 16384 / 32767 = 288.0088 rounds down.
    CEnemy& middle = SpawnWith(16384, 16384, 1, 1, 0);
    EXPECT_EQ(middle.x, 320.0f);
    EXPECT_EQ(middle.y, 136.0f);

    const RecordedSprite* sprite = host.Sprite(high.sprite);
    EXPECT_EQ(sprite->frames.size(), 2u);
    EXPECT_EQ(host.ImagePath(sprite->frames[0]), "images\\Demon.bmp");
    EXPECT_EQ(sprite->x, 608.0f);
    EXPECT_EQ(sprite->y, 240.0f);
    EXPECT_EQ(high.gameState, game);
}

TEST_F(Spawn, DemonDirectionIsAUnitVectorOfTheRandomPoint)
{
    const int draws[][2] = {{0, 0}, {32767, 32767}, {0, 32767}, {16383, 16384}, {16384, 16383}, {1000, 30000}};
    for (const auto& draw : draws) {
        CEnemy& enemy = SpawnWith(0, 0, draw[0], draw[1], 0);
        const double a = 2.0 * draw[0] / 32767 - 1.0;
        const double b = 2.0 * draw[1] / 32767 - 1.0;
        EXPECT_NEAR(std::hypot(enemy.directionX, enemy.directionY), 1.0, 1e-6);
        EXPECT_NEAR(enemy.directionX, a / std::hypot(a, b), 1e-5);
        EXPECT_NEAR(enemy.directionY, b / std::hypot(a, b), 1e-5);
        EXPECT_FALSE(enemy.directionX == 0.0f && enemy.directionY == 0.0f);
    }
}

TEST_F(Spawn, DemonsBulletsAndFireballsJoinTheBackOfTheirLists)
{
    game->SpawnBullet(314.0f, 442.0f);
    game->SpawnBullet(100.0f, 50.0f);
    game->SpawnFireball(40.0f, 60.0f);
    game->SpawnFireball(41.0f, 61.0f);
    SpawnWith(0, 0, 0, 0, 0);

    ASSERT_EQ(game->bullets.size(), 2u);
    ASSERT_EQ(game->fireballs.size(), 2u);
    ASSERT_EQ(game->enemies.size(), 2u);
    EXPECT_EQ(game->enemies.back()->x, 32.0f);
    const CBullet& first = *game->bullets.front();
    EXPECT_EQ(first.x, 314.0f);
    EXPECT_EQ(first.y, 442.0f);
    EXPECT_EQ(game->bullets.back()->x, 100.0f);
    EXPECT_EQ(first.gameState, game);
    EXPECT_FALSE(first.pendingRemoval);
    EXPECT_EQ(host.ImageOf(*host.Sprite(first.sprite)), "images\\Bullet.bmp");
    EXPECT_EQ(host.Sprite(first.sprite)->x, 314.0f);
    EXPECT_EQ(host.Sprite(first.sprite)->y, 442.0f);

    const CFireball& second = *game->fireballs.back();
    EXPECT_EQ(second.x, 41.0f);
    EXPECT_EQ(second.y, 61.0f);
    EXPECT_EQ(second.gameState, game);
    EXPECT_EQ(host.ImageOf(*host.Sprite(second.sprite)), "images\\Fireball.bmp");
    EXPECT_EQ(host.Sprite(second.sprite)->frames.size(), 1u);
}

TEST_F(Spawn, ReachIsStrictlyLessThan32OnBothAxes)
{
    const CShooter& shooter = *game->shooter;    // at (320, 464)
    const CAmmoBox& box = *game->leftAmmoBox;    // at (16, 464)
    for (float d : {32.0f, -32.0f}) {
        EXPECT_FALSE(shooter.IsNear(320.0f + d, 464.0f)) << d;
        EXPECT_FALSE(shooter.IsNear(320.0f, 464.0f + d)) << d;
        EXPECT_FALSE(box.IsNear(16.0f + d, 464.0f)) << d;
        EXPECT_FALSE(box.IsNear(16.0f, 464.0f + d)) << d;
    }
    for (float d : {31.9f, -31.9f}) {
        EXPECT_TRUE(shooter.IsNear(320.0f + d, 464.0f + d)) << d;
        EXPECT_TRUE(box.IsNear(16.0f + d, 464.0f - d)) << d;
    }
    EXPECT_FALSE(shooter.IsNear(351.9f, 496.0f));
}

TEST(EntityList, RemovesByPointerValueOnlyAndKeepsTheOrder)
{
    int a = 0;
    int b = 0;
    int c = 0;
    int elsewhere = 0;
    std::list<int*> list = {&a, &b, &c};
    RemoveFromList(list, &elsewhere);
    EXPECT_THAT(list, ElementsAre(&a, &b, &c));
    RemoveFromList(list, &b);
    EXPECT_THAT(list, ElementsAre(&a, &c));
    RemoveFromList(list, &a);
    RemoveFromList(list, &c);
    EXPECT_TRUE(list.empty());
    RemoveFromList(list, &c);
    EXPECT_TRUE(list.empty());
}

// The bullets' positions side by side, tested four at a time: the first bullet in list order
// within the box is found wherever it sits (inside a block of four, after one, in the tail),
// the box's edges stay out, and moves and drops keep the order.
TEST(BulletSpots, FindsTheFirstBulletInOrderStrictlyInsideTheBox)
{
    CBullet bullets[11];
    CBulletSpots spots;
    const float away = 1000.0f;
    // Block one: each exactly on an edge. Block two: a hit at its first place and its second.
    const float at[11][2] = {{133.0f, 100.0f}, {67.0f, 100.0f}, {100.0f, 144.0f}, {100.0f, 56.0f},
                             {132.9f, 143.9f}, {100.0f, 100.0f}, {away, away},     {away, away},
                             {std::nanf(""), 100.0f}, {67.1f, 56.1f}, {away, away}};
    for (int i = 0; i < 11; ++i) {
        spots.Add(&bullets[i], at[i][0], at[i][1]);
    }
    EXPECT_EQ(spots.FirstWithin(100.0f, 100.0f, 33.0f, 44.0f), &bullets[4]);

    std::size_t hint = 0;   // stale: the spot is looked up and the hint corrected
    spots.Move(&bullets[4], hint, away, away);
    EXPECT_EQ(hint, 4u);
    EXPECT_EQ(spots.FirstWithin(100.0f, 100.0f, 33.0f, 44.0f), &bullets[5]);

    spots.Drop(&bullets[5]);   // the tail's hit is now the first
    EXPECT_EQ(spots.FirstWithin(100.0f, 100.0f, 33.0f, 44.0f), &bullets[9]);
    spots.Move(&bullets[9], hint, away, away);
    EXPECT_EQ(hint, 8u);
    EXPECT_EQ(spots.FirstWithin(100.0f, 100.0f, 33.0f, 44.0f), nullptr);

    spots.Drop(&bullets[5]);   // no longer there: nothing happens
    spots.Move(&bullets[5], hint, 100.0f, 100.0f);
    EXPECT_EQ(spots.FirstWithin(100.0f, 100.0f, 33.0f, 44.0f), nullptr);
    spots.Clear();
    EXPECT_EQ(spots.FirstWithin(away, away, 33.0f, 44.0f), nullptr);
}
