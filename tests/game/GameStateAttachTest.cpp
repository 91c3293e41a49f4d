// Setting a game up: what is loaded in which order, what is created, and where a missing asset
// stops everything.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "AmmoBox.h"
#include "Enemy.h"
#include "EntityFactory.h"
#include "GameTestSupport.h"
#include "Player.h"
#include "Shooter.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

// Every load of Attach in its order: background, the sixteen images, the ten digits, the sounds.
const std::vector<std::string> kLoads = {
    "LoadBackgroundImage images\\Background.bmp",
    "LoadImage images\\Demon.bmp",
    "LoadImage images\\Demon-chew.bmp",
    "LoadImage images\\Fireball.bmp",
    "LoadImage images\\Hiro.bmp",
    "LoadImage images\\Hiro-walk.bmp",
    "LoadImage images\\Hiro-carry1.bmp",
    "LoadImage images\\Hiro-carry2.bmp",
    "LoadImage images\\AmmoBox.bmp",
    "LoadImage images\\Shooter.bmp",
    "LoadImage images\\Shooter-fire.bmp",
    "LoadImage images\\Bullet.bmp",
    "LoadImage images\\WordBubble.bmp",
    "LoadImage images\\GameOver.bmp",
    "LoadImage images\\Retry.bmp",
    "LoadImage images\\Quit.bmp",
    "LoadImage images\\Arrow.bmp",
    "LoadImage images\\0.bmp",
    "LoadImage images\\1.bmp",
    "LoadImage images\\2.bmp",
    "LoadImage images\\3.bmp",
    "LoadImage images\\4.bmp",
    "LoadImage images\\5.bmp",
    "LoadImage images\\6.bmp",
    "LoadImage images\\7.bmp",
    "LoadImage images\\8.bmp",
    "LoadImage images\\9.bmp",
    "LoadSound sounds\\ammoup.wav",
    "LoadSound sounds\\explosion.wav",
    "LoadSound sounds\\shoot.wav",
    "LoadSound sounds\\fireball.wav",
    "LoadSound sounds\\hurt.wav",
    "LoadSound sounds\\jump.wav",
};

// The loads the host saw, without flags and handles.
std::vector<std::string> Loads(const GameHost& host)
{
    std::vector<std::string> loads;
    for (const std::string& call : host.calls) {
        if (call.rfind("Load", 0) == 0) {
            std::string name = call.substr(0, call.find(".bmp") != std::string::npos
                                                  ? call.find(".bmp") + 4
                                                  : call.find(".wav") + 4);
            loads.push_back(name);
        }
    }
    return loads;
}

std::vector<std::string> LoadsUpTo(const std::string& last)
{
    std::vector<std::string> loads;
    for (const std::string& load : kLoads) {
        loads.push_back(load);
        if (load.substr(load.find(' ') + 1) == last) {
            break;
        }
    }
    return loads;
}

}  // namespace

class GameStateAttach : public GameTest {};

TEST_F(GameStateAttach, WithEveryAssetSetsUpARunningGame)
{
    CGameState& state = Start();

    EXPECT_TRUE(host.attachResult);
    EXPECT_THAT(Loads(host), ElementsAreArray(kLoads));
    for (const std::string& call : host.CallsStartingWith("LoadImage")) {
        EXPECT_NE(call.find(".bmp 0 -> "), std::string::npos) << call;   // flags 0
    }
    EXPECT_EQ(state.engine, &host);
    EXPECT_EQ(state.score, 0);
    EXPECT_EQ(state.highScore, 0);
    EXPECT_TRUE(state.playing);
    EXPECT_EQ(state.enemyTimer, 3.0f);
    EXPECT_THAT(host.CreatedClasses(), ElementsAre("Player", "Shooter", "AmmoBox", "AmmoBox", "Enemy"));
    ASSERT_EQ(state.enemies.size(), 1u);
    EXPECT_TRUE(state.bullets.empty());
    EXPECT_TRUE(state.fireballs.empty());
    ASSERT_NE(state.leftAmmoBox, nullptr);
    ASSERT_NE(state.rightAmmoBox, nullptr);
    EXPECT_EQ(state.leftAmmoBox->x, 16.0f);
    EXPECT_EQ(state.rightAmmoBox->x, 624.0f);
    EXPECT_EQ(state.rightAmmoBox->y, 464.0f);
    EXPECT_EQ(state.player->gameState, &state);
    EXPECT_EQ(state.shooter->gameState, &state);

    // The background is the first sprite, so it is drawn beneath everything.
    const RecordedSprite& background = *host.AllSprites().front();
    EXPECT_EQ(host.ImageOf(background), "images\\Background.bmp");
    EXPECT_EQ(background.x, 320.0f);
    EXPECT_EQ(background.y, 240.0f);
    EXPECT_EQ(host.Sprite(state.backgroundSprite), &background);

    EXPECT_EQ(host.LiveSpritesOf("images\\Hiro.bmp").size(), 1u + 3u);     // player + lives
    EXPECT_EQ(host.LiveSpritesOf("images\\Bullet.bmp").size(), 3u);        // ammunition
    EXPECT_EQ(host.LiveSpritesOf("images\\0.bmp").size(), 2u);             // score, high score
}

TEST_F(GameStateAttach, AnimatedSpritesUseConsecutiveHandlesInFrameOrder)
{
    Start();
    EXPECT_THAT(host.CallsStartingWith("CreateSprite #1 "),
                ElementsAre("CreateSprite #1 4 images\\Hiro.bmp images\\Hiro-walk.bmp "
                            "images\\Hiro-carry1.bmp images\\Hiro-carry2.bmp"));
    EXPECT_THAT(host.CallsStartingWith("CreateSprite #2 "),
                ElementsAre("CreateSprite #2 2 images\\Shooter.bmp images\\Shooter-fire.bmp"));
    EXPECT_THAT(host.CallsStartingWith("CreateSprite #5 "),
                ElementsAre("CreateSprite #5 2 images\\Demon.bmp images\\Demon-chew.bmp"));
}

TEST_F(GameStateAttach, DoesNotResetWhatOutlivesAGame)
{
    host.SetFrameTime(0.0f);
    CGameState& state = *static_cast<CGameState*>(CreateEntityByName("GameState"));
    EXPECT_FALSE(state.fullscreen);
    EXPECT_EQ(state.leftAmmoBoxTimer, 0.0f);
    EXPECT_EQ(state.rightAmmoBoxTimer, 0.0f);
    EXPECT_EQ(state.menuCooldown, 0.0f);
    EXPECT_TRUE(state.hudSprites.empty());

    state.fullscreen = true;
    state.leftAmmoBoxTimer = 5.0f;
    state.menuChoice = 7;
    state.menuCooldown = 0.1f;
    ASSERT_TRUE(host.Start(&state));   // attached as the host attaches the game state
    EXPECT_TRUE(state.fullscreen);
    EXPECT_EQ(state.leftAmmoBoxTimer, 5.0f);
    EXPECT_EQ(state.menuChoice, 7);
    EXPECT_EQ(state.menuCooldown, 0.1f);
}

// A missing asset that is not a digit: the loads stop right there and nothing is created.
class GameStateAttachMissing : public GameStateAttach,
                               public ::testing::WithParamInterface<std::string> {};

TEST_P(GameStateAttachMissing, StopsAtTheFailedLoadAndCreatesNothing)
{
    host.FailLoad(GetParam());
    CGameState& state = Start();

    EXPECT_FALSE(host.attachResult);
    EXPECT_THAT(Loads(host), ElementsAreArray(LoadsUpTo(GetParam())));
    EXPECT_THAT(host.AllSprites(), IsEmpty());
    EXPECT_THAT(host.CreatedClasses(), IsEmpty());
    EXPECT_TRUE(state.enemies.empty());
    EXPECT_TRUE(state.hudSprites.empty());
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLastImageAndLastSound, GameStateAttachMissing,
                         ::testing::Values("images\\Background.bmp", "images\\Demon.bmp",
                                           "images\\Hiro-carry1.bmp", "images\\Arrow.bmp",
                                           "sounds\\ammoup.wav", "sounds\\jump.wav"));

TEST_F(GameStateAttach, AMissingDigitIsNoFailure)
{
    host.FailLoad("images\\7.bmp");
    CGameState& state = Start();

    EXPECT_TRUE(host.attachResult);
    EXPECT_LT(state.imgDigits[7], 0);
    EXPECT_GE(state.imgDigits[6], 0);
    EXPECT_GE(state.imgDigits[8], 0);
    EXPECT_THAT(Loads(host), ElementsAreArray(kLoads));
    EXPECT_TRUE(state.playing);
}

TEST_F(GameStateAttach, ReadsTheHighScoreFromTheWorkingDirectory)
{
    WriteBytes("highscore", {0xFA, 0x00, 0x00, 0x00});
    EXPECT_EQ(Start().highScore, 250);
    EXPECT_EQ(game->score, 0);
}
