// The game state's frame while a game runs: the frame-time clamp, fullscreen toggles, the corner
// refill timers and the demon timer, all counted down in single precision.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "AmmoBox.h"
#include "GameTestSupport.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GameStateUpdate : public GameTest {
protected:
    void SetUp() override
    {
        Start();
        ASSERT_TRUE(host.attachResult);
        host.ClearCalls();
    }

    // The player took the box lying in a corner: the corner is empty and waits.
    void EmptyCorner(CAmmoBox*& corner, float& timer, float seconds)
    {
        corner->pendingRemoval = true;
        corner = nullptr;
        timer = seconds;
    }

    // Updates only the game state, so the other entities cannot interfere.
    void UpdateGame(int frames = 1)
    {
        for (int i = 0; i < frames; ++i) {
            game->Update();
        }
    }
};

TEST_F(GameStateUpdate, ALongFrameCountsAsHalfASecondOnEveryTimer)
{
    EmptyCorner(game->leftAmmoBox, game->leftAmmoBoxTimer, 8.0f);
    EmptyCorner(game->rightAmmoBox, game->rightAmmoBoxTimer, 4.0f);
    host.SetFrameTime(2.0f);
    UpdateGame();
    EXPECT_EQ(game->leftAmmoBoxTimer, 7.5f);
    EXPECT_EQ(game->rightAmmoBoxTimer, 3.5f);
    EXPECT_EQ(game->enemyTimer, 2.5f);
    EXPECT_EQ(game->enemies.size(), 1u);

    host.SetFrameTime(0.25f);
    UpdateGame();
    EXPECT_EQ(game->enemyTimer, 2.25f);
}

TEST_F(GameStateUpdate, ACornerIsRefilledInTheFrameItsSinglePrecisionTimerRunsOut)
{
    // Counted down by 0.1 in float, 8 s run out in frame 81; in exact arithmetic it would be 80.
    EmptyCorner(game->leftAmmoBox, game->leftAmmoBoxTimer, 8.0f);
    host.SetFrameTime(0.1f);
    UpdateGame(80);
    EXPECT_EQ(game->leftAmmoBox, nullptr);
    EXPECT_THAT(host.CallsStartingWith("CreateEntity AmmoBox"), IsEmpty());

    UpdateGame();
    ASSERT_NE(game->leftAmmoBox, nullptr);
    EXPECT_EQ(game->leftAmmoBox->x, 16.0f);
    EXPECT_EQ(game->leftAmmoBox->y, 464.0f);
    EXPECT_EQ(game->leftAmmoBox->gameState, game);
    EXPECT_LE(game->leftAmmoBoxTimer, 0.0f);
    EXPECT_THAT(host.CallsStartingWith("CreateEntity AmmoBox"), ElementsAre("CreateEntity AmmoBox"));

    // A run-out timer stays where it is and creates nothing more.
    const float ranOut = game->leftAmmoBoxTimer;
    game->leftAmmoBox = nullptr;
    UpdateGame(20);
    EXPECT_EQ(game->leftAmmoBoxTimer, ranOut);
    EXPECT_EQ(game->leftAmmoBox, nullptr);
}

TEST_F(GameStateUpdate, TheRightCornerHasItsOwnTimerAndPlace)
{
    EmptyCorner(game->rightAmmoBox, game->rightAmmoBoxTimer, 0.3f);
    CAmmoBox* left = game->leftAmmoBox;
    host.SetFrameTime(0.2f);
    UpdateGame();
    EXPECT_EQ(game->rightAmmoBox, nullptr);
    UpdateGame();
    ASSERT_NE(game->rightAmmoBox, nullptr);
    EXPECT_EQ(game->rightAmmoBox->x, 624.0f);
    EXPECT_EQ(game->leftAmmoBox, left);
}

TEST_F(GameStateUpdate, AnOccupiedCornerAtRunOutGetsNoBoxThenOrLater)
{
    game->leftAmmoBoxTimer = 0.05f;   // a box lies there all the same
    CAmmoBox* lying = game->leftAmmoBox;
    host.SetFrameTime(0.1f);
    UpdateGame();
    EXPECT_EQ(game->leftAmmoBox, lying);

    game->leftAmmoBox = nullptr;   // taken away after the timer ran out
    UpdateGame(100);
    EXPECT_EQ(game->leftAmmoBox, nullptr);
    EXPECT_THAT(host.CallsStartingWith("CreateEntity AmmoBox"), IsEmpty());
}

TEST_F(GameStateUpdate, ADemonEveryThreeSecondsWithTheLeftoverDropped)
{
    game->enemyTimer = 0.1f;
    host.SetFrameTime(0.3f);
    UpdateGame();
    EXPECT_EQ(game->enemies.size(), 2u);
    EXPECT_EQ(game->enemyTimer, 3.0f);

    // 3 s counted down by 0.1 in float run out in frame 31, not 30.
    host.SetFrameTime(0.1f);
    UpdateGame(30);
    EXPECT_EQ(game->enemies.size(), 2u);
    UpdateGame();
    EXPECT_EQ(game->enemies.size(), 3u);
    EXPECT_EQ(game->enemyTimer, 3.0f);
    EXPECT_THAT(host.CallsStartingWith("CreateEntity"), ElementsAre("CreateEntity Enemy", "CreateEntity Enemy"));
}

TEST_F(GameStateUpdate, EveryFullscreenToggleOfTheFrameIsCarriedOutAndNothingElseTaken)
{
    host.Post("left");
    host.Post("fullscreen-toggle");
    host.Post("Fullscreen-toggle");
    host.Post("fullscreen-toggle");
    host.Post("enter");
    host.Post("fullscreen-toggle ");
    UpdateGame();
    EXPECT_THAT(host.FullscreenCalls(), ElementsAre(true, false));
    EXPECT_FALSE(game->fullscreen);
    EXPECT_THAT(host.QueueNames(), ElementsAre("left", "Fullscreen-toggle", "enter", "fullscreen-toggle "));

    host.Post("fullscreen-toggle");
    UpdateGame();
    EXPECT_TRUE(game->fullscreen);
    EXPECT_THAT(host.FullscreenCalls(), ElementsAre(true, false, true));
}

TEST_F(GameStateUpdate, FullscreenTogglesWorkInTheMenuAndNoTimerRunsThere)
{
    EmptyCorner(game->leftAmmoBox, game->leftAmmoBoxTimer, 0.1f);
    game->enemyTimer = 0.1f;
    EndGame();
    host.Post("fullscreen-toggle");
    host.SetFrameTime(0.5f);
    UpdateGame(10);
    EXPECT_THAT(host.FullscreenCalls(), ElementsAre(true));
    EXPECT_EQ(game->leftAmmoBoxTimer, 0.1f);
    EXPECT_EQ(game->enemyTimer, 0.1f);
    EXPECT_EQ(game->leftAmmoBox, nullptr);
    EXPECT_EQ(game->enemies.size(), 1u);
}

TEST_F(GameStateUpdate, RunsAsOneOfTheHostsEntities)
{
    // Through the host's frame loop, with every entity updated: a demon arrives every 3 s.
    host.SetFrameTime(0.5f);
    host.RunFrames(6);
    EXPECT_EQ(host.CallsStartingWith("CreateEntity Enemy").size(), 1u);
}
