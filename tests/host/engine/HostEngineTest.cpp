// The engine's frame loop with fake entities: update order, entities ended or created during a
// frame, the action queue, once-per-press toggles and pause. Run under AddressSanitizer, these
// also prove that an ended entity's memory is not touched before the frame is over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/HostEngine.h"

namespace {

using Log = std::vector<std::string>;

// A fake entity with trivial destructor, like the game's: the engine frees only its memory.
class CFakeEntity final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* newEngine) override
    {
        engine = newEngine;
        log->push_back(std::string("attach ") + name);
        return attachResult;
    }

    void Update() override
    {
        log->push_back(std::string("update ") + name);
        if (spawn != nullptr) {
            spawned = engine->CreateEntity(spawn);
            spawn = nullptr;
        }
        if (post != nullptr) {
            engine->PostAction(post);
        }
        if (consume != nullptr) {
            auto& queue = engine->GetActions();
            for (auto it = queue.begin(); it != queue.end();) {
                if (std::strcmp(it->name, consume) == 0) {
                    log->push_back(std::string(name) + " took " + consume);
                    it = queue.erase(it);
                } else {
                    ++it;
                }
            }
        }
        if (endOther != nullptr) {
            engine->DestroyEntity(endOther);
            endOther = nullptr;
        }
        if (endSelf) {
            CVantorEngine* keep = engine;
            keep->DestroyEntity(this);   // nothing of this entity is read after here
        }
    }

    CVantorEngine* engine = nullptr;
    Log* log = nullptr;
    char name[32] = {};
    bool attachResult = true;
    const char* spawn = nullptr;
    CVantorEntity* spawned = nullptr;
    const char* post = nullptr;
    const char* consume = nullptr;
    CVantorEntity* endOther = nullptr;
    bool endSelf = false;
};
static_assert(std::is_trivially_destructible_v<CFakeEntity>);

// Posts whatever is "held" at every poll, like the input plug-in.
class CFakeInput final : public CVantorInput {
public:
    bool Initialize(CVantorEngine* newEngine) override
    {
        engine = newEngine;
        return true;
    }
    void AcquireMouse() override {}
    void UnacquireMouse() override {}
    void Poll() override
    {
        ++polls;
        for (const std::string& name : held) {
            engine->PostAction(name.c_str());
        }
    }

    CVantorEngine* engine = nullptr;
    std::vector<std::string> held;
    int polls = 0;
};

class HostEngineTest : public ::testing::Test {
protected:
    HostEngineTest() : graphics("/nonexistent"), sound("/nonexistent", silence), engine(graphics, sound)
    {
        engine.SetFactory([this](const char* className) -> CVantorEntity* {
            if (std::strcmp(className, "Missing") == 0) {
                return nullptr;
            }
            return Make(className);
        });
        engine.SetFatalHandler([this](const std::string& message) { fatal.push_back(message); });
        input.Initialize(&engine);
        engine.SetInput(&input);
    }

    CFakeEntity* Make(const char* name)
    {
        auto* entity = new CFakeEntity;
        entity->log = &log;
        std::strncpy(entity->name, name, sizeof entity->name - 1);
        return entity;
    }

    CFakeEntity* AddEntity(const char* name)
    {
        CFakeEntity* entity = Make(name);
        engine.AddEntity(entity);
        return entity;
    }

    void Frame() { engine.RunFrame(1.0f / 60.0f, [this]() { log.push_back("draw"); }); }

    CSilentSoundOutput silence;
    CGraphicsService graphics;
    CSoundService sound;
    CHostEngine engine;
    CFakeInput input;
    Log log;
    std::vector<std::string> fatal;
};

TEST_F(HostEngineTest, UpdatesInRegistrationOrderAndStartsNewEntitiesNextFrame)
{
    CFakeEntity* game = AddEntity("game");
    AddEntity("player");
    game->spawn = "bullet";
    log.clear();

    Frame();
    EXPECT_EQ(log, (Log{"update game", "attach bullet", "update player", "draw"}));
    ASSERT_NE(game->spawned, nullptr);
    log.clear();
    Frame();
    EXPECT_EQ(log, (Log{"update game", "update player", "update bullet", "draw"}));
    EXPECT_EQ(engine.LiveEntityCount(), 3u);
}

TEST_F(HostEngineTest, AnEntityEndedMidFrameIsSkippedAndFreedAfterTheFrame)
{
    CFakeEntity* first = AddEntity("first");
    CFakeEntity* second = AddEntity("second");
    AddEntity("third");
    first->endOther = second;   // ended before its turn in this frame
    log.clear();

    Frame();
    EXPECT_EQ(log, (Log{"update first", "update third", "draw"}));
    EXPECT_EQ(engine.LiveEntityCount(), 2u);

    first->endSelf = true;
    log.clear();
    Frame();
    Frame();
    EXPECT_EQ(log, (Log{"update first", "update third", "draw", "update third", "draw"}));
    EXPECT_EQ(engine.LiveEntityCount(), 1u);
}

TEST_F(HostEngineTest, EndingAnEntityTwiceOrAnUnknownOneIsHarmless)
{
    CFakeEntity* entity = AddEntity("entity");
    CFakeEntity stranger;
    engine.DestroyEntity(&stranger);
    engine.DestroyEntity(nullptr);
    engine.DestroyEntity(entity);
    engine.DestroyEntity(entity);
    log.clear();
    Frame();
    EXPECT_EQ(log, (Log{"draw"}));
    EXPECT_EQ(engine.LiveEntityCount(), 0u);
}

TEST_F(HostEngineTest, AnEntityCreatedAndEndedInOneFrameIsNeverUpdated)
{
    CFakeEntity* game = AddEntity("game");
    game->spawn = "spark";
    Frame();
    auto* spark = static_cast<CFakeEntity*>(game->spawned);
    game->endOther = spark;
    game->spawn = "ember";
    log.clear();
    Frame();
    auto* ember = static_cast<CFakeEntity*>(game->spawned);
    ember->endSelf = true;
    game->endOther = ember;   // ended by another before its first update
    log.clear();
    Frame();
    Frame();
    EXPECT_EQ(log, (Log{"update game", "draw", "update game", "draw"}));
}

TEST_F(HostEngineTest, AnUnknownClassIsFatalAndYieldsNull)
{
    EXPECT_EQ(engine.CreateEntity("Missing"), nullptr);
    EXPECT_EQ(engine.CreateEntity(nullptr), nullptr);
    ASSERT_EQ(fatal.size(), 2u);
    EXPECT_NE(fatal[0].find("\"Missing\""), std::string::npos);
}

TEST_F(HostEngineTest, AddEntityReportsAttach)
{
    CFakeEntity* failing = Make("failing");
    failing->attachResult = false;
    EXPECT_FALSE(engine.AddEntity(failing));
    EXPECT_TRUE(engine.AddEntity(Make("fine")));
    EXPECT_FALSE(engine.AddEntity(nullptr));
}

TEST_F(HostEngineTest, TheQueueIsClearedAtTheEndOfEveryFrameAndRecorded)
{
    CFakeEntity* game = AddEntity("game");
    AddEntity("reader");
    game->consume = "enter";
    input.held = {"left", "enter"};
    ActionRecord stick{};
    std::memset(stick.name, 'x', sizeof stick.name);   // no terminator: the engine adds one
    stick.value = 20000.0f;
    engine.PushAction(stick);

    Frame();
    ASSERT_EQ(engine.FrameActions().size(), 2u);   // the push came before the frame
    EXPECT_EQ(engine.FrameActions()[0].name, "left");
    EXPECT_EQ(engine.FrameActions()[1].value, 1.0f);
    EXPECT_TRUE(engine.GetActions().empty());
    EXPECT_EQ(std::count(log.begin(), log.end(), "game took enter"), 1);

    input.held.clear();
    Frame();
    EXPECT_TRUE(engine.FrameActions().empty());
    EXPECT_TRUE(engine.GetActions().empty());
}

TEST_F(HostEngineTest, PushedNamesAreTerminatedAndPadded)
{
    ActionRecord record{};
    std::memset(record.name, 'x', sizeof record.name);
    record.value = -3.5f;
    engine.PushAction(record);
    const ActionRecord& queued = engine.GetActions().front();
    EXPECT_EQ(std::strlen(queued.name), 255u);
    EXPECT_EQ(queued.value, -3.5f);
    engine.PostAction(nullptr);   // ignored
    EXPECT_EQ(engine.GetActions().size(), 1u);
}

TEST_F(HostEngineTest, QuitIsSeenAfterTheUpdatesWhoeverPostedIt)
{
    CFakeEntity* game = AddEntity("game");
    Frame();
    EXPECT_FALSE(engine.QuitRequested());
    game->post = "quit";
    Frame();
    EXPECT_TRUE(engine.QuitRequested());
    EXPECT_EQ(engine.FrameActions().back().name, "quit");
}

TEST_F(HostEngineTest, AHeldPauseKeyTogglesOncePerPressAndPollingGoesOn)
{
    AddEntity("game");
    input.held = {"pause-toggle"};
    Frame();
    EXPECT_TRUE(engine.Paused());
    log.clear();
    Frame();
    Frame();
    EXPECT_TRUE(engine.Paused());
    EXPECT_EQ(log, (Log{"draw", "draw"}));   // no updates while paused, still drawn
    EXPECT_EQ(input.polls, 3);

    input.held.clear();
    Frame();
    EXPECT_TRUE(engine.Paused());
    input.held = {"pause-toggle", "pause-toggle"};   // P and Start in the same poll
    Frame();
    EXPECT_FALSE(engine.Paused());
    log.clear();
    Frame();
    EXPECT_FALSE(engine.Paused());
    EXPECT_EQ(log, (Log{"update game", "draw"}));
}

TEST_F(HostEngineTest, AHeldFullscreenChordReachesTheEntitiesOnlyOnItsFirstFrame)
{
    CFakeEntity* game = AddEntity("game");
    game->consume = "fullscreen-toggle";
    input.held = {"fullscreen-toggle"};
    log.clear();
    for (int i = 0; i < 4; ++i) {
        Frame();
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "game took fullscreen-toggle"), 1);
    EXPECT_EQ(engine.FrameActions().size(), 1u);   // still recorded as posted
    input.held.clear();
    Frame();
    input.held = {"fullscreen-toggle"};
    Frame();
    EXPECT_EQ(std::count(log.begin(), log.end(), "game took fullscreen-toggle"), 2);
}

TEST_F(HostEngineTest, FrameTimeIsTheFramesDt)
{
    AddEntity("game");
    engine.RunFrame(0.25f, {});
    EXPECT_EQ(engine.GetFrameTime(), 0.25f);
    EXPECT_EQ(engine.FrameNumber(), 1);
    EXPECT_EQ(engine.GetGraphics(), &graphics);
    EXPECT_EQ(engine.GetSound(), &sound);
}

}  // namespace

namespace {

// A frame's input is a value: captured apart from the queue, replayable into any frame.
TEST_F(HostEngineTest, CapturedInputStaysOutOfTheQueueUntilItsFrameRuns)
{
    CFakeEntity* reader = AddEntity("reader");
    reader->consume = "shoot";
    input.held = {"right", "shoot"};
    FrameInput captured;
    captured.actions.push_back({});   // cleared by the capture
    engine.CaptureInput(captured);
    EXPECT_EQ(input.polls, 1);
    ASSERT_EQ(captured.actions.size(), 2u);
    EXPECT_STREQ(captured.actions[0].name, "right");
    EXPECT_STREQ(captured.actions[1].name, "shoot");
    EXPECT_TRUE(engine.GetActions().empty());
    EXPECT_TRUE(engine.FrameActions().empty());

    // The same value run twice gives the same frame twice; the input object is not polled.
    for (int frame = 0; frame < 2; ++frame) {
        log.clear();
        engine.RunFrame(1.0f / 60.0f, captured, {});
        EXPECT_EQ(log, (Log{"update reader", "reader took shoot"}));
        ASSERT_EQ(engine.FrameActions().size(), 2u);
        EXPECT_EQ(engine.FrameActions()[0].name, "right");
        EXPECT_EQ(engine.FrameActions()[1].name, "shoot");
    }
    EXPECT_EQ(input.polls, 1);
}

TEST_F(HostEngineTest, ARecordedInputDrivesTheTogglesLikeAPolledOne)
{
    FrameInput pause;
    ActionRecord record{};
    std::strcpy(record.name, "pause-toggle");
    record.value = 1.0f;
    pause.actions.push_back(record);
    const FrameInput nothing;
    engine.RunFrame(0.1f, pause, {});
    EXPECT_TRUE(engine.Paused());
    engine.RunFrame(0.1f, pause, {});   // still held: no second toggle
    EXPECT_TRUE(engine.Paused());
    engine.RunFrame(0.1f, nothing, {});
    engine.RunFrame(0.1f, pause, {});
    EXPECT_FALSE(engine.Paused());
    EXPECT_EQ(engine.FrameNumber(), 4);
}

}  // namespace

namespace {

// Makes sprites the way the game module does: its own in Attach, or another entity's (a HUD it
// rebuilds, a bullet it makes) in its Update. Frame tables are labels: 1 HUD, 2 Hiro, 3 demon,
// 4 box, 5 bullet.
class CDrawingEntity final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* newEngine) override
    {
        engine = newEngine;
        if (label != 0) {
            sprite = engine->GetGraphics()->CreateSprite(1, &label);
        }
        return true;
    }
    void Update() override
    {
        if (onUpdate != nullptr) {
            onUpdate(*this);
        }
    }

    CVantorEngine* engine = nullptr;
    int label = 0;
    CVantorSprite* sprite = nullptr;
    void (*onUpdate)(CDrawingEntity&) = nullptr;
};
static_assert(std::is_trivially_destructible_v<CDrawingEntity>);

int gLabels[6] = {0, 1, 2, 3, 4, 5};
CVantorSprite* gHud = nullptr;

CVantorEntity* MakeDrawing(const char* className)
{
    auto* entity = new CDrawingEntity;
    const std::string name = className;
    entity->label = name == "Player" ? 2 : name == "Enemy" ? 3 : name == "AmmoBox" ? 4 : 0;
    if (name == "Enemy") {
        // The score changes in the demon's code: the HUD is rebuilt there.
        entity->onUpdate = [](CDrawingEntity& self) {
            CVantorGraphics* graphics = self.engine->GetGraphics();
            graphics->DestroySprite(gHud);
            gHud = graphics->CreateSprite(1, &gLabels[1]);
            self.onUpdate = nullptr;
        };
    }
    return entity;
}

}  // namespace

TEST_F(HostEngineTest, SpritesAreDrawnInLayersByTheEntityTheyBelongTo)
{
    engine.SetFactory(MakeDrawing);
    auto* game = new CDrawingEntity;
    game->onUpdate = [](CDrawingEntity& self) {
        if (gHud == nullptr) {
            gHud = self.engine->GetGraphics()->CreateSprite(1, &gLabels[1]);
            self.engine->CreateEntity("Player");
            self.engine->CreateEntity("AmmoBox");
            return;
        }
        self.engine->CreateEntity("Enemy");
        self.engine->CreateEntity("Bullet");   // no sprite of its own: the maker makes it
        self.engine->GetGraphics()->CreateSprite(1, &gLabels[5]);
        self.engine->CreateEntity("AmmoBox");
        self.onUpdate = nullptr;
    };
    gHud = nullptr;
    ASSERT_TRUE(engine.AddEntity(game, "GameState"));
    for (int frame = 0; frame < 3; ++frame) {
        Frame();
    }
    std::vector<int> order;
    for (const CHostSprite& sprite : graphics.Sprites()) {
        order.push_back(sprite.CurrentImage());
    }
    // Boxes, then demon and bullet, then Hiro, then the HUD rebuilt in the demon's code.
    EXPECT_EQ(order, (std::vector<int>{4, 4, 3, 5, 2, 1}));
}
