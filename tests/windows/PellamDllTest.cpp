// Pellam.dll loaded as a host loads it: its factory makes every class, and a game state set up
// and played against the recording host, all inside the DLL.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PluginUnderTest.h"
#include "RecordingHost.h"

namespace {

using ::testing::ElementsAre;
using ::testing::Ge;
using ::testing::SizeIs;

using CreateEntityFunction = CVantorEntity* (*)(const char*);

constexpr const char* kClassNames[] = {"GameState", "Bullet", "Fireball", "Enemy", "AmmoBox", "Player", "Shooter"};
constexpr int kImages = 16 + 10;   // the game's pictures and the ten digits
constexpr int kSounds = 6;
constexpr std::size_t kPlayerFrames = 4;   // only the player's sprite has a run of four pictures

class PellamDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        factory = OpenPluginExport<CreateEntityFunction>(library, "Pellam", "CreateVantorEntity", error);
        ASSERT_NE(factory, nullptr) << error;
    }

    CPluginLibrary library;
    CreateEntityFunction factory = nullptr;
};

// The game state's destructor is inside the DLL, out of the host's reach: it lives as long as the
// process, as in the real host.
void KeepGameState(CVantorEntity*) {}

RecordedSprite* PlayerSprite(const RecordingHost& engine)
{
    for (RecordedSprite* sprite : engine.LiveSprites()) {
        if (sprite->frames.size() == kPlayerFrames) {
            return sprite;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(PellamDll, FactoryMakesEveryClassAsANewObjectOnEachCall)
{
    for (const char* name : kClassNames) {
        CVantorEntity* first = factory(name);
        CVantorEntity* second = factory(name);
        EXPECT_NE(first, nullptr) << name;
        EXPECT_NE(second, nullptr) << name;
        EXPECT_NE(first, second) << name;
    }
}

TEST_F(PellamDll, FactoryMakesNothingForNamesOutsideItsTable)
{
    for (const char* name : {"gamestate", "GameState ", "", "Demon", "PLAYER"}) {
        EXPECT_EQ(factory(name), nullptr) << '"' << name << '"';
    }
}

TEST_F(PellamDll, GameStateAttachSetsUpTheGameThroughTheEngine)
{
    RecordingHost engine(factory, KeepGameState);
    ASSERT_TRUE(engine.Start(factory("GameState")));

    ASSERT_FALSE(engine.calls.empty());
    EXPECT_EQ(engine.calls.front(), "LoadBackgroundImage images\\Background.bmp -> 0");
    EXPECT_THAT(engine.CallsStartingWith("LoadImage "), SizeIs(kImages));
    EXPECT_THAT(engine.CallsStartingWith("LoadSound "), SizeIs(kSounds));
    EXPECT_THAT(engine.CallsStartingWith("CreateEntity "),
                ElementsAre("CreateEntity Player", "CreateEntity Shooter", "CreateEntity AmmoBox",
                            "CreateEntity AmmoBox", "CreateEntity Enemy"));

    const std::vector<RecordedSprite*> sprites = engine.LiveSprites();
    ASSERT_FALSE(sprites.empty());
    EXPECT_TRUE(sprites.front()->positioned);
    EXPECT_EQ(sprites.front()->x, 320.0f);
    EXPECT_EQ(sprites.front()->y, 240.0f);
    EXPECT_NE(PlayerSprite(engine), nullptr);
    // Every sprite is placed and shows a handle the engine gave out.
    for (const RecordedSprite* sprite : sprites) {
        EXPECT_TRUE(sprite->positioned);
        EXPECT_GE(sprite->frames[0], 0);
    }
}

TEST_F(PellamDll, GameStateAttachFailsWhenAPictureIsMissingAndCreatesNothing)
{
    RecordingHost engine(factory, KeepGameState);
    engine.FailLoad("images\\Hiro.bmp");
    EXPECT_FALSE(engine.Start(factory("GameState")));
    EXPECT_THAT(engine.CallsStartingWith("CreateEntity "), SizeIs(0));
    EXPECT_THAT(engine.LiveSprites(), SizeIs(0));
}

TEST_F(PellamDll, ThePlayerWalksRightWhileRightIsQueued)
{
    RecordingHost engine(factory, KeepGameState);
    ASSERT_TRUE(engine.Start(factory("GameState")));
    RecordedSprite* player = PlayerSprite(engine);
    ASSERT_NE(player, nullptr);
    const float start = player->x;

    for (int frame = 0; frame < 30; ++frame) {
        ActionRecord right{};
        std::copy_n("right", sizeof "right", right.name);
        right.value = 1.0f;
        engine.PushAction(right);
        engine.RunFrame();
    }
    EXPECT_GT(player->x, start);
    EXPECT_THAT(engine.LiveEntities(), SizeIs(Ge(5u)));
}
