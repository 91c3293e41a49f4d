// Demons through the recording host: drifting, bouncing, flapping, dropping fireballs, dying to bullets.
#include <gtest/gtest.h>

#include "EntityTestSupport.h"

namespace {

using EnemyTest = EntityTest;

// --- Moving

TEST_F(EnemyTest, ADemonStartingAtTheLowestSpawnPlaceIsBouncedBackAt208)
{
    Calm();
    // x in the middle, y at its largest (240), heading down and right, first fireball in 1 s.
    for (int draw : {16383, 32767, 32767, 32767, 0}) {
        game->random.Enqueue(draw);
    }
    game->SpawnEnemy();
    CEnemy* demon = game->enemies.back();
    const RecordedSprite& sprite = SpriteOf(demon->sprite);
    EXPECT_EQ(sprite.y, 240.0f);
    host.RunFrame();
    EXPECT_EQ(sprite.y, 208.0f);
    EXPECT_LT(demon->directionY, 0.0f);
    host.RunFrame();
    EXPECT_LT(sprite.y, 208.0f);
}

TEST_F(EnemyTest, DemonsDriftAtOneHundredAndBounceOffEveryEdge)
{
    Calm();
    host.SetFrameTime(0.125f);
    CEnemy* left = DemonAt(40.0f, 100.0f, -1.0f, 0.0f);
    CEnemy* right = DemonAt(600.0f, 100.0f, 1.0f, 0.0f);
    CEnemy* top = DemonAt(300.0f, 40.0f, 0.0f, -1.0f);
    host.RunFrame();
    EXPECT_EQ(SpriteOf(left->sprite).x, 32.0f);
    EXPECT_EQ(SpriteOf(right->sprite).x, 608.0f);
    EXPECT_EQ(SpriteOf(top->sprite).y, 32.0f);
    host.RunFrame();
    EXPECT_EQ(SpriteOf(left->sprite).x, 44.5f);
    EXPECT_EQ(SpriteOf(right->sprite).x, 595.5f);
    EXPECT_EQ(SpriteOf(top->sprite).y, 44.5f);
    EXPECT_EQ(SpriteOf(top->sprite).x, 300.0f);
}

TEST_F(EnemyTest, ADemonFlapsEveryTenthOfASecondAndSetsTheFrameOnlyWhenItChanges)
{
    Calm();
    host.SetFrameTime(0.25f);
    CEnemy* demon = DemonAt(300.0f, 100.0f);
    const RecordedSprite& sprite = SpriteOf(demon->sprite);
    std::vector<int> frames;
    host.ClearCalls();
    for (int i = 0; i < 4; ++i) {
        host.RunFrame();
        frames.push_back(sprite.frame);
    }
    // With a frame time above the period, every other update counts down and the next flips.
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 0}));
    EXPECT_EQ(host.CallsStartingWith("SetFrame #" + std::to_string(sprite.id)).size(), 2u);
}

// --- Firing

TEST_F(EnemyTest, TheFirstFireballComesOneUpdateAfterTheDelayRunsOutFromWhereTheDemonWas)
{
    Calm();
    host.SetFrameTime(0.25f);
    CEnemy* demon = DemonAt(100.0f, 100.0f, 1.0f, 0.0f, 1.0f);
    game->random.Enqueue(32767);   // the next delay: 5 s
    for (int update = 1; update <= 4; ++update) {
        host.RunFrame();
        EXPECT_TRUE(game->fireballs.empty()) << "update " << update;
    }
    const float x = SpriteOf(demon->sprite).x;
    const float y = SpriteOf(demon->sprite).y;
    host.RunFrame();
    ASSERT_EQ(game->fireballs.size(), 1u);
    EXPECT_EQ(Played(kFireballSound), 1);
    const RecordedSprite& fireball = SpriteOf(game->fireballs.back()->sprite);
    EXPECT_EQ(fireball.x, x);
    EXPECT_EQ(fireball.y, y + 16.0f);
    EXPECT_EQ(host.ImageOf(fireball), kFireballImage);
    EXPECT_EQ(demon->fireTime, 5.0f);
    EXPECT_NE(SpriteOf(demon->sprite).x, x);   // the demon moved on after dropping it
}

// --- Being shot

TEST_F(EnemyTest, TheHitBoxIsStrictlyInside33AcrossAnd44UpOrDown)
{
    Calm();
    host.SetFrameTime(0.0f);   // nothing moves: the offsets stay as set
    struct Case {
        float dx;
        float dy;
        bool hit;
    };
    const Case cases[] = {
        {32.9f, 0.0f, true},   {-32.9f, 0.0f, true},  {0.0f, 43.9f, true},  {0.0f, -43.9f, true},
        {32.9f, 43.9f, true},  {33.0f, 0.0f, false},  {-33.0f, 0.0f, false}, {0.0f, 44.0f, false},
        {0.0f, -44.0f, false}, {33.0f, 43.9f, false},
    };
    int score = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.dx << ", " << c.dy);
        CEnemy* demon = DemonAt(300.0f, 100.0f);
        game->SpawnBullet(300.0f + c.dx, 100.0f + c.dy);
        CBullet* bullet = game->bullets.back();
        host.RunFrame();
        EXPECT_EQ(host.IsLive(demon), !c.hit);
        score += c.hit ? 50 : 0;
        EXPECT_EQ(game->score, score);
        if (c.hit) {
            // Flagged, not ended: it ends in its own update, which came later in this frame.
            EXPECT_FALSE(host.IsLive(bullet));
        } else {
            demon->pendingRemoval = true;
            bullet->pendingRemoval = true;
            host.RunFrame();
        }
        EXPECT_TRUE(game->enemies.empty());
        EXPECT_TRUE(game->bullets.empty());
    }
}

TEST_F(EnemyTest, AShotDemonExplodesScoresFiftyAndFlagsTheBulletInsteadOfEndingIt)
{
    Calm();
    host.SetFrameTime(0.0f);
    CEnemy* demon = DemonAt(300.0f, 100.0f);
    const RecordedSprite& sprite = SpriteOf(demon->sprite);
    game->SpawnBullet(300.0f, 100.0f);
    CBullet* bullet = game->bullets.back();
    // Demon first, bullet later: run the demon's update alone to see the bullet in between.
    demon->Update();
    EXPECT_FALSE(sprite.alive);
    EXPECT_TRUE(game->enemies.empty());
    EXPECT_EQ(Played(kExplosionSound), 1);
    EXPECT_EQ(game->score, 50);
    EXPECT_EQ(ScoreRow(), "50");
    EXPECT_TRUE(bullet->pendingRemoval);
    EXPECT_TRUE(host.IsLive(bullet));
    EXPECT_EQ(game->bullets.size(), 1u);
    host.RunFrame();
    EXPECT_FALSE(host.IsLive(bullet));
    EXPECT_TRUE(game->bullets.empty());
}

TEST_F(EnemyTest, TwoDemonsUpdatedBeforeTheBulletBothDieOnIt)
{
    Calm();
    host.SetFrameTime(0.0f);
    CEnemy* first = DemonAt(300.0f, 100.0f);
    CEnemy* second = DemonAt(310.0f, 100.0f);
    game->SpawnBullet(305.0f, 100.0f);
    host.RunFrame();
    EXPECT_FALSE(host.IsLive(first));
    EXPECT_FALSE(host.IsLive(second));
    EXPECT_EQ(game->score, 100);
    EXPECT_EQ(Played(kExplosionSound), 2);
    EXPECT_TRUE(game->bullets.empty());
    EXPECT_TRUE(game->enemies.empty());
}

TEST_F(EnemyTest, ABulletUpdatedBetweenTwoDemonsKillsOnlyTheFirst)
{
    Calm();
    host.SetFrameTime(0.0f);
    CEnemy* first = DemonAt(300.0f, 100.0f);
    game->SpawnBullet(305.0f, 100.0f);
    CEnemy* second = DemonAt(310.0f, 100.0f);
    host.RunFrame();
    EXPECT_FALSE(host.IsLive(first));
    EXPECT_TRUE(host.IsLive(second));
    EXPECT_EQ(game->score, 50);
    EXPECT_EQ(game->enemies, (std::list<CEnemy*>{second}));
    EXPECT_TRUE(game->bullets.empty());
}

TEST_F(EnemyTest, ADemonUsesOnlyTheFirstBulletInReach)
{
    Calm();
    host.SetFrameTime(0.0f);
    DemonAt(300.0f, 100.0f);
    game->SpawnBullet(300.0f, 110.0f);
    game->SpawnBullet(300.0f, 90.0f);
    CBullet* first = game->bullets.front();
    CBullet* second = game->bullets.back();
    host.RunFrame();
    EXPECT_FALSE(host.IsLive(first));
    EXPECT_TRUE(host.IsLive(second));
    EXPECT_FALSE(second->pendingRemoval);
    EXPECT_EQ(game->score, 50);
}

TEST_F(EnemyTest, PassingTheHighScoreRaisesItAtOnceAndTheHudShowsBothEqual)
{
    Calm();
    host.SetFrameTime(0.0f);
    game->highScore = 20;
    DemonAt(300.0f, 100.0f);
    game->SpawnBullet(300.0f, 100.0f);
    host.RunFrame();
    EXPECT_EQ(game->highScore, 50);
    EXPECT_EQ(ScoreRow(), "50");
    EXPECT_EQ(HighScoreRow(), "50");
}

TEST_F(EnemyTest, AHigherHighScoreStaysAsItIs)
{
    Calm();
    host.SetFrameTime(0.0f);
    game->highScore = 1000;
    DemonAt(300.0f, 100.0f);
    game->SpawnBullet(300.0f, 100.0f);
    host.RunFrame();
    EXPECT_EQ(game->highScore, 1000);
    EXPECT_EQ(ScoreRow(), "50");
    EXPECT_EQ(HighScoreRow(), "1000");
}

// --- The menu and the restart

TEST_F(EnemyTest, WhileTheMenuShowsDemonsStandStillAndNeitherFireNorDie)
{
    Calm();
    CEnemy* demon = DemonAt(300.0f, 100.0f, 1.0f, 0.0f, 0.0f);
    const RecordedSprite& sprite = SpriteOf(demon->sprite);
    game->SpawnBullet(300.0f, 100.0f);
    game->playing = false;
    host.ClearCalls();
    host.RunFrames(30);
    EXPECT_EQ(sprite.x, 300.0f);
    EXPECT_TRUE(sprite.alive);
    EXPECT_TRUE(game->fireballs.empty());
    EXPECT_EQ(game->score, 0);
    EXPECT_TRUE(host.Played().empty());
    EXPECT_TRUE(host.CallsStartingWith("SetFrame").empty());
}

TEST_F(EnemyTest, AFlaggedDemonEndsWithoutScoringAndLeavesItsList)
{
    Calm();
    CEnemy* first = DemonAt(100.0f, 100.0f);
    CEnemy* second = DemonAt(300.0f, 100.0f);
    const RecordedSprite& sprite = SpriteOf(first->sprite);
    game->playing = false;
    first->pendingRemoval = true;
    host.RunFrame();
    EXPECT_FALSE(sprite.alive);
    EXPECT_FALSE(host.IsLive(first));
    EXPECT_EQ(game->enemies, (std::list<CEnemy*>{second}));
    EXPECT_EQ(game->score, 0);
    EXPECT_TRUE(host.Played().empty());
}

}  // namespace
