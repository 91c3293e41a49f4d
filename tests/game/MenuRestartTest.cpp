// The game-over menu: moving the arrow under its 0.2 s lock, Retry (tear down, set up again) and
// Quit, and what becomes of the rest of the queue once a choice has been carried out.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <algorithm>

#include "AmmoBox.h"
#include "Bullet.h"
#include "Enemy.h"
#include "Fireball.h"
#include "GameTestSupport.h"
#include "Player.h"
#include "Shooter.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Menu : public GameTest {
protected:
    void SetUp() override
    {
        Start();
        ASSERT_TRUE(host.attachResult);
        EndGame();
        host.ClearCalls();
    }

    float ArrowY() const { return host.Sprite(game->arrowSprite)->y; }
    int Restarts() const { return host.ImagesUnloaded(); }
};

TEST_F(Menu, DownDownEnterMovesOnceAndQuits)
{
    host.Post("down");
    host.Post("down");
    host.Post("enter");
    game->Update();

    EXPECT_EQ(ArrowY(), 352.0f);
    EXPECT_EQ(host.Sprite(game->arrowSprite)->x, 120.0f);
    EXPECT_NE(game->menuChoice, 0);
    EXPECT_THAT(host.posted, ElementsAre("quit"));
    // The second move fell into the lock and stays; the host's "quit" came after.
    EXPECT_THAT(host.QueueNames(), ElementsAre("down", "quit"));
    EXPECT_EQ(Restarts(), 0);
}

TEST_F(Menu, EveryMoveSwitchesBetweenTheTwoEntries)
{
    host.SetFrameTime(0.25f);
    const char* moves[] = {"up", "stickUp", "down", "stickDown"};
    const float expected[] = {352.0f, 268.0f, 352.0f, 268.0f};
    for (int i = 0; i < 4; ++i) {
        host.Post(moves[i]);
        game->Update();
        EXPECT_EQ(ArrowY(), expected[i]) << moves[i];
        EXPECT_THAT(host.QueueNames(), IsEmpty());
    }
    EXPECT_EQ(game->menuChoice, 0);
}

TEST_F(Menu, TheLockHoldsBackMovesButNeverASelection)
{
    game->menuCooldown = 0.3f;
    host.SetFrameTime(0.05f);
    const int arrow = host.Sprite(game->arrowSprite)->id;
    host.Post("up");
    host.Post("gamepadA");
    game->Update();
    EXPECT_EQ(Restarts(), 1);   // Retry was selected and carried out
    EXPECT_TRUE(game->playing);
    EXPECT_THAT(host.QueueNames(), ElementsAre("up"));
    EXPECT_THAT(host.CallsStartingWith("SetPosition #" + std::to_string(arrow) + " "), IsEmpty());
}

TEST_F(Menu, TheLockEndsWhenItsTimeIsUsedUpExactly)
{
    game->menuCooldown = 0.2f;
    host.SetFrameTime(0.1f);
    host.Post("down");
    game->Update();
    EXPECT_EQ(ArrowY(), 268.0f);
    EXPECT_THAT(host.QueueNames(), ElementsAre("down"));

    game->Update();   // 0.2 - 0.1 - 0.1 leaves exactly 0: unlocked
    EXPECT_EQ(ArrowY(), 352.0f);
    EXPECT_THAT(host.QueueNames(), IsEmpty());
}

TEST_F(Menu, AHeldDirectionMovesOncePerLockPeriod)
{
    host.SetFrameTime(0.1f);
    int moves = 0;
    float lastY = ArrowY();
    for (int frame = 0; frame < 10; ++frame) {
        host.Post("down");
        host.RunFrame();
        moves += ArrowY() != lastY ? 1 : 0;
        lastY = ArrowY();
    }
    EXPECT_EQ(moves, 5);
}

TEST_F(Menu, LeavesEverythingElseInTheQueue)
{
    for (const char* name : {"left", "right", "shoot", "gamepadB", "Enter", "enter ", "quit", "pause-toggle"}) {
        host.Post(name);
    }
    game->Update();
    EXPECT_THAT(host.QueueNames(),
                ElementsAre("left", "right", "shoot", "gamepadB", "Enter", "enter ", "quit", "pause-toggle"));
    EXPECT_EQ(ArrowY(), 268.0f);
    EXPECT_THAT(host.posted, IsEmpty());
    EXPECT_EQ(Restarts(), 0);
}

TEST_F(Menu, QuitPostsQuitAndTearsNothingDown)
{
    game->menuChoice = 5;   // any value but 0 is Quit
    host.Post("gamepadA");
    host.Post("down");
    game->Update();
    EXPECT_THAT(host.posted, ElementsAre("quit"));
    EXPECT_THAT(host.CallsStartingWith("DestroySprite"), IsEmpty());
    EXPECT_EQ(Restarts(), 0);
    EXPECT_THAT(host.QueueNames(), ElementsAre("down", "quit"));
    EXPECT_EQ(ArrowY(), 268.0f);   // the move after the choice was not menu input
}

TEST_F(Menu, AfterRetryTheRestOfTheQueueIsNoMenuInput)
{
    host.Post("enter");
    host.Post("down");
    host.Post("enter");
    game->Update();
    EXPECT_EQ(Restarts(), 1);
    EXPECT_TRUE(game->playing);
    EXPECT_THAT(host.QueueNames(), ElementsAre("down", "enter"));
    EXPECT_THAT(host.CallsStartingWith("DestroySprite of an unknown sprite"), IsEmpty());
    EXPECT_THAT(host.posted, IsEmpty());
}

class Retry : public GameTest {};

TEST_F(Retry, TearsTheOldGameDownInOrderAndStartsAFreshOne)
{
    // An old game with something in every list and a high score that reached the file.
    Start();
    game->SpawnBullet(100.0f, 300.0f);
    game->SpawnBullet(110.0f, 300.0f);
    game->SpawnFireball(200.0f, 100.0f);
    game->score = 150;
    game->highScore = 300;
    EndGame();
    host.ClearCalls();

    const std::vector<CVantorSprite*> menuSprites = {game->backgroundSprite, game->gameOverSprite,
                                                     game->retrySprite, game->quitSprite, game->arrowSprite};
    const std::list<CVantorSprite*> hud = game->hudSprites;
    std::vector<bool*> flags = {&game->player->pendingRemoval, &game->shooter->pendingRemoval,
                                &game->leftAmmoBox->pendingRemoval, &game->rightAmmoBox->pendingRemoval};
    for (CBullet* bullet : game->bullets) {
        flags.push_back(&bullet->pendingRemoval);
    }
    for (CEnemy* enemy : game->enemies) {
        flags.push_back(&enemy->pendingRemoval);
    }
    for (CFireball* fireball : game->fireballs) {
        flags.push_back(&fireball->pendingRemoval);
    }
    ASSERT_EQ(flags.size(), 4u + 2u + 1u + 1u);
    const std::vector<CVantorEntity*> oldEntities = host.LiveEntities();

    host.Post("enter");
    game->Update();

    // Unload, then the game state's sprites in order, then the HUD front to back, then Attach.
    std::vector<std::string> expected = {"UnloadImages", "UnloadSounds"};
    for (CVantorSprite* sprite : menuSprites) {
        expected.push_back("DestroySprite #" + std::to_string(host.Sprite(sprite)->id));
    }
    for (CVantorSprite* sprite : hud) {
        expected.push_back("DestroySprite #" + std::to_string(host.Sprite(sprite)->id));
    }
    expected.push_back("LoadBackgroundImage images\\Background.bmp -> " +
                       std::to_string(host.ImageHandle("images\\Background.bmp")));
    ASSERT_GE(host.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(host.calls.begin(), host.calls.begin() + static_cast<long>(expected.size())),
              expected);

    for (bool* flag : flags) {
        EXPECT_TRUE(*flag);
    }
    // The lists were emptied before Attach filled them again.
    EXPECT_EQ(game->enemies.size(), 1u);
    EXPECT_TRUE(game->bullets.empty());
    EXPECT_TRUE(game->fireballs.empty());
    EXPECT_TRUE(game->playing);
    EXPECT_EQ(game->score, 0);
    EXPECT_EQ(game->highScore, 300);   // read back from the file
    EXPECT_EQ(game->hudSprites.size(), 3u + 3u + 1u + 3u);

    // In the next frame every old entity ends itself; only the new game is left.
    host.RunFrame();
    for (CVantorEntity* old : oldEntities) {
        if (old != game) {
            EXPECT_FALSE(host.IsLive(old));
        }
    }
    EXPECT_EQ(host.LiveEntities().size(), 1u + 5u);   // game state, player, shooter, 2 boxes, demon
    EXPECT_EQ(host.LiveSprites().size(), 1u + 5u + game->hudSprites.size());
    EXPECT_THAT(host.CallsStartingWith("DestroySprite of an unknown sprite"), IsEmpty());
    EXPECT_THAT(host.CallsStartingWith("DestroyEntity of an unknown"), IsEmpty());
}

TEST_F(Menu, RetryWithACornerEmptyFlagsOnlyTheBoxThatLies)
{
    // Start over from a running game whose left corner is empty.
    host.Post("enter");
    game->Update();
    host.RunFrame();
    game->leftAmmoBox->pendingRemoval = true;
    game->leftAmmoBox = nullptr;
    game->leftAmmoBoxTimer = 8.0f;
    EndGame();

    host.Post("enter");
    game->Update();
    EXPECT_TRUE(game->playing);
    EXPECT_NE(game->leftAmmoBox, nullptr);
    EXPECT_EQ(game->leftAmmoBoxTimer, 8.0f);   // Restart and Attach leave the timers alone
    host.RunFrames(2);
    EXPECT_EQ(host.LiveEntities().size(), 1u + 5u);
}

TEST_F(Menu, RetryWithAnAssetGonePostsQuitAndTheMenuGoesInert)
{
    host.FailLoad("sounds\\hurt.wav");
    host.Post("enter");
    game->Update();
    EXPECT_THAT(host.posted, ElementsAre("quit"));
    EXPECT_FALSE(game->playing);
    EXPECT_THAT(host.CallsStartingWith("CreateEntity"), IsEmpty());

    // Later frames: the host has not acted on the quit yet, and the menu input does nothing;
    // every frame leaves it in the queue.
    host.GetActions().clear();
    for (int frame = 0; frame < 3; ++frame) {
        host.Post("down");
        host.Post("enter");
        host.Post("gamepadA");
        host.RunFrame();
        EXPECT_THAT(host.LeftInQueue(), ElementsAre("down", "enter", "gamepadA")) << frame;
    }
    EXPECT_EQ(Restarts(), 1);
    EXPECT_THAT(host.posted, ElementsAre("quit"));
    EXPECT_THAT(host.CallsStartingWith("DestroySprite of an unknown sprite"), IsEmpty());
    EXPECT_THAT(host.CallsStartingWith("SetPosition"), IsEmpty());
    // The old entities have ended themselves; only the game state is left.
    EXPECT_EQ(host.LiveEntities().size(), 1u);

    host.Post("fullscreen-toggle");
    host.RunFrame();
    EXPECT_THAT(host.FullscreenCalls(), ElementsAre(true));
}
