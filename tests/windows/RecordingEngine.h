// A recording engine for the Windows test programs: the host services a plug-in DLL sees,
// recording every call in order, handing out handles and sprites, running entities frame by
// frame and keeping the action queue. It knows nothing of the game: only host_api.
#pragma once

#include <list>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "VantorEngine.h"
#include "VantorEntity.h"

class RecordedSprite : public CVantorSprite {
public:
    RecordedSprite(int count, const int* table) : frameCount(count), frames(table) {}

    void SetPosition(float newX, float newY) override;
    void SetFrame(int newFrame) override { frame = newFrame; }
    void SetMirrored(bool newMirrored) override { mirrored = newMirrored; }

    int frameCount;
    const int* frames;     // the plug-in's frame table
    int frame = 0;
    float x = 0.0f;
    float y = 0.0f;
    bool positioned = false;
    bool mirrored = false;
    bool alive = true;
};

class RecordingEngine : public CVantorEngine, public CVantorGraphics, public CVantorSound {
public:
    using EntityFactory = CVantorEntity* (*)(const char*);

    // One call of PostAction or PushAction, as the plug-in made it.
    struct Post {
        bool pushed;          // PushAction; false for PostAction
        std::string name;
        float value;          // the record's value; 1.0 for PostAction
        bool zeroPadded;      // every byte of the record after the name's terminator is zero
    };

    // CreateEntity makes entities with the given factory (a plug-in's export), or none.
    explicit RecordingEngine(EntityFactory entityFactory = nullptr) : factory(entityFactory) {}

    // --- CVantorEngine
    CVantorGraphics* GetGraphics() override { return this; }
    CVantorSound* GetSound() override { return this; }
    float GetFrameTime() override { return frameTime; }
    CVantorEntity* CreateEntity(const char* className) override;
    void DestroyEntity(CVantorEntity* entity) override;
    void PostAction(const char* name) override;
    void PushAction(ActionRecord action) override;
    std::list<ActionRecord>& GetActions() override { return queue; }

    // --- CVantorGraphics
    int LoadImage(const char* path, int flags) override;
    int LoadBackgroundImage(const char* path) override;
    CVantorSprite* CreateSprite(int frameCount, const int* frames) override;
    void DestroySprite(CVantorSprite* sprite) override;
    void UnloadImages() override;
    void SetFullscreen(bool fullscreen) override;

    // --- CVantorSound
    int LoadSound(const char* path) override;
    void PlaySound(int sound) override;
    void UnloadSounds() override;

    // --- Driving it
    // Registers an entity the host made itself (the game state) and attaches it.
    bool Start(CVantorEntity* entity);
    // Every live entity's Update once, in registration order; entities created during the frame
    // start in the next one. Then the queue is dropped, as the host drops unconsumed actions.
    void RunFrame();
    // Makes every later load of this path (as the plug-in writes it) fail with -1.
    void FailLoad(const std::string& path) { failing.insert(path); }
    float frameTime = 1.0f / 60.0f;

    // --- What happened
    std::vector<std::string> calls;   // "LoadImage images\Hiro.bmp 0", "CreateEntity Player", ...
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    std::vector<Post> posts;
    std::vector<RecordedSprite*> LiveSprites() const;
    int liveEntities = 0;

private:
    struct Registered {
        CVantorEntity* entity;
        bool alive;
    };

    int Load(const std::string& call, const char* path);

    EntityFactory factory;
    std::list<ActionRecord> queue;
    std::set<std::string> failing;
    int nextHandle = 0;
    std::vector<std::unique_ptr<RecordedSprite>> sprites;
    // Entities come from the plug-in's heap and have no destroy operation: they are never freed.
    std::vector<Registered> entities;
};
