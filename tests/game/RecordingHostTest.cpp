// The recording host is the host's own engine under a recorder: what the tests' old stand-in did
// differently (an unknown class, an entity ended between frames, a pushed record's padding, the
// frame rule, a sprite of an unloaded image) now behaves as in the host, and the draw layers are
// the engine's table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Enemy.h"
#include "engine/SpriteLayers.h"
#include "GameTestSupport.h"
#include "Shooter.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// An entity that counts its updates and can end itself; trivially destructible, like the game's.
class CCountingEntity final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* newEngine) override
    {
        engine = newEngine;
        return true;
    }
    void Update() override
    {
        ++updates;
        if (endItself) {
            engine->DestroyEntity(this);
            endedItself = true;   // its own memory, still its own until the frame ends
        }
    }

    CVantorEngine* engine = nullptr;
    int updates = 0;
    bool endItself = false;
    bool endedItself = false;
};

// A host whose factory makes counting entities of any class but "Nothing".
class CountingHost : public ::testing::Test {
protected:
    static CVantorEntity* Make(const char* className)
    {
        return std::strcmp(className, "Nothing") == 0 ? nullptr : new CCountingEntity();
    }

    CCountingEntity* Create(const char* className = "Player")
    {
        return static_cast<CCountingEntity*>(host.CreateEntity(className));
    }

    RecordingHost host{Make};
};

}  // namespace

TEST_F(CountingHost, AClassTheFactoryDoesNotMakeIsFatalAndNamed)
{
    EXPECT_EQ(host.CreateEntity("Nothing"), nullptr);
    EXPECT_THAT(host.Fatal(), HasSubstr("\"Nothing\""));
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0], "CreateEntity Nothing");
    EXPECT_THAT(host.calls[1], HasSubstr("Fatal "));

    RecordingHost withoutFactory;
    EXPECT_EQ(withoutFactory.CreateEntity("Player"), nullptr);
    EXPECT_THAT(withoutFactory.Fatal(), HasSubstr("\"Player\""));
}

TEST_F(CountingHost, AnEntityEndedBetweenFramesIsGoneAtOnceButItsMemoryLastsTheFrame)
{
    CCountingEntity* keeper = Create();
    CCountingEntity* leaver = Create();
    leaver->endItself = true;
    leaver->Update();   // outside a frame, as a test's direct call does
    // Under AddressSanitizer the read would fail if the host had freed it at once.
    EXPECT_TRUE(leaver->endedItself);
    EXPECT_FALSE(host.IsLive(leaver));
    EXPECT_THAT(host.LiveEntities(), ElementsAre(keeper));

    host.RunFrame();
    EXPECT_EQ(keeper->updates, 1);
    EXPECT_THAT(host.CallsStartingWith("DestroyEntity"), ElementsAre("DestroyEntity"));

    host.DestroyEntity(keeper);
    host.DestroyEntity(keeper);
    EXPECT_THAT(host.CallsStartingWith("DestroyEntity"),
                ElementsAre("DestroyEntity", "DestroyEntity", "DestroyEntity",
                            "DestroyEntity of an unknown or dead entity"));
}

TEST_F(CountingHost, APushedRecordIsQueuedZeroPaddedAfterItsName)
{
    ActionRecord record;
    std::memset(record.name, 0x5A, sizeof record.name);
    std::memcpy(record.name, "left", 5);
    record.value = 0.5f;
    host.PushAction(record);

    ActionRecord unterminated;
    std::memset(unterminated.name, 'x', sizeof unterminated.name);
    unterminated.value = 1.0f;
    host.PushAction(unterminated);

    ASSERT_EQ(host.GetActions().size(), 2u);
    const ActionRecord& left = host.GetActions().front();
    EXPECT_STREQ(left.name, "left");
    EXPECT_TRUE(std::all_of(left.name + 4, left.name + sizeof left.name, [](char c) { return c == 0; }));
    EXPECT_EQ(left.value, 0.5f);
    const ActionRecord& cut = host.GetActions().back();
    EXPECT_EQ(std::strlen(cut.name), sizeof cut.name - 1);
    EXPECT_THAT(host.calls, ElementsAre("PushAction left 0.5", "PushAction " + std::string(256, 'x') + " 1"));
}

TEST_F(CountingHost, PauseStopsUpdatesAtEachPressAndQuitIsTheHosts)
{
    CCountingEntity* entity = Create();
    host.Post("pause-toggle");
    host.RunFrame();
    EXPECT_TRUE(host.Paused());
    EXPECT_EQ(entity->updates, 1);   // the frame that paused ran its updates

    host.Post("pause-toggle");   // still held: no new press
    host.RunFrame();
    host.RunFrame();
    EXPECT_TRUE(host.Paused());
    EXPECT_EQ(entity->updates, 1);

    host.Post("pause-toggle");
    host.RunFrame();
    EXPECT_FALSE(host.Paused());
    EXPECT_FALSE(host.QuitRequested());

    host.Post("quit");
    host.RunFrame();
    EXPECT_TRUE(host.QuitRequested());
    EXPECT_EQ(entity->updates, 2);
}

TEST_F(CountingHost, WhatTheUpdatesLeaveInTheQueueIsDroppedAtTheFramesEnd)
{
    Create();
    host.Post("left");
    host.Push("right", 0.25f);
    EXPECT_THAT(host.QueueNames(), ElementsAre("left", "right"));
    host.RunFrame();
    EXPECT_THAT(host.LeftInQueue(), ElementsAre("left", "right"));
    EXPECT_THAT(host.QueueNames(), IsEmpty());
    host.RunFrame();
    EXPECT_THAT(host.LeftInQueue(), IsEmpty());
}

TEST_F(CountingHost, ASpriteOfAnUnloadedImageShowsNone)
{
    CVantorGraphics& graphics = *host.GetGraphics();
    const int hiro = graphics.LoadImage("images\\Hiro.bmp", 0);
    CVantorSprite* before = graphics.CreateSprite(1, &hiro);
    EXPECT_EQ(host.ImageOf(*host.Sprite(before)), "images\\Hiro.bmp");

    graphics.UnloadImages();
    CVantorSprite* after = graphics.CreateSprite(1, &hiro);
    EXPECT_EQ(host.ImageOf(*host.Sprite(before)), "");
    EXPECT_EQ(host.ImageHandle("images\\Hiro.bmp"), -1);
    EXPECT_EQ(host.ImagePath(hiro), "images\\Hiro.bmp");
    EXPECT_THAT(host.CallsStartingWith("CreateSprite"),
                ElementsAre("CreateSprite #0 1 images\\Hiro.bmp", "CreateSprite #1 1 <invalid 0>"));
    graphics.DestroySprite(before);   // still valid to destroy
    graphics.DestroySprite(after);
    EXPECT_THAT(host.LiveSprites(), IsEmpty());

    EXPECT_GT(graphics.LoadImage("images\\Hiro.bmp", 0), hiro);   // handles are never reused
}

TEST_F(CountingHost, FailedLoadsAreTheHostsFailures)
{
    host.FailLoad("images\\Hiro.bmp");
    host.FailLoad("sounds\\jump.wav");
    CVantorGraphics& graphics = *host.GetGraphics();
    CVantorSound& sound = *host.GetSound();
    EXPECT_EQ(graphics.LoadImage("images/Hiro.bmp", 0), -1);   // either separator names it
    EXPECT_EQ(graphics.LoadImage("images\\..\\..\\Hiro.bmp", 0), -1);   // refused by the host
    EXPECT_EQ(sound.LoadSound("sounds\\jump.wav"), -1);
    EXPECT_EQ(graphics.LoadImage("images\\Demon.bmp", 0), 0);
    EXPECT_EQ(sound.LoadSound("sounds\\hurt.wav"), 0);
    sound.PlaySound(0);
    sound.PlaySound(1);
    EXPECT_THAT(host.Played(), ElementsAre("sounds\\hurt.wav", "<invalid 1>"));
}

// The layers come from the engine's table: a late demon is drawn under the player and the HUD,
// the background under everything.
class RecordedGameLayers : public GameTest {};

TEST_F(RecordedGameLayers, ADemonBornLateIsDrawnUnderThePlayerAndTheHud)
{
    Start();
    host.RunFrame();
    game->SpawnEnemy();
    const std::vector<RecordedSprite*> order = host.Graphics().DrawingOrder();
    const auto at = [&order, this](CVantorSprite* sprite) {
        return std::find(order.begin(), order.end(), host.Sprite(sprite)) - order.begin();
    };
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(host.ImageOf(*order.front()), "images\\Background.bmp");
    EXPECT_LT(at(game->enemies.back()->sprite), at(game->player->sprite));
    EXPECT_LT(at(game->shooter->sprite), at(game->enemies.back()->sprite));
    for (CVantorSprite* hud : game->hudSprites) {
        EXPECT_GT(at(hud), at(game->player->sprite));
    }
}

TEST_F(RecordedGameLayers, AHeldFullscreenChordReachesTheGameOncePerPress)
{
    Start();
    for (int frame = 0; frame < 3; ++frame) {
        host.Post("fullscreen-toggle");
        host.RunFrame();
    }
    EXPECT_THAT(host.FullscreenCalls(), ElementsAre(true));
    host.RunFrame();
    host.Post("fullscreen-toggle");
    host.RunFrame();
    EXPECT_THAT(host.FullscreenCalls(), ElementsAre(true, false));
}

TEST(SpriteLayers, EveryClassOfTheGameHasItsLayerAndOthersAreScenery)
{
    EXPECT_EQ(LayerOfClass(kGameStateClass), SpriteLayer::GameState);
    EXPECT_EQ(LayerOfClass("Player"), SpriteLayer::Player);
    for (const char* actor : {"Bullet", "Fireball", "Enemy"}) {
        EXPECT_EQ(LayerOfClass(actor), SpriteLayer::Actors) << actor;
    }
    for (const char* scenery : {"Shooter", "AmmoBox", "player", "", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(LayerOfClass(scenery), SpriteLayer::Scenery);
    }
}
