// A recording stand-in for the host: implements the engine, graphics, sprite and sound services,
// records every call in order with its arguments, hands out handles, can fail named loads, and
// runs entities frame by frame the way the real host does.
#pragma once

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "VantorEngine.h"
#include "VantorEntity.h"

class FakeHost;

// A sprite as the fake host keeps it; the game only sees the CVantorSprite face.
class FakeSprite : public CVantorSprite {
public:
    FakeSprite(FakeHost& host, int id, std::vector<int> frames);

    void SetPosition(float x, float y) override;
    void SetFrame(int frame) override;
    void SetMirrored(bool mirrored) override;

    FakeHost& host;
    int id;                      // creation order, from 0
    std::vector<int> frames;     // copied frame table (handles at creation time)
    const int* table;            // the game's own frame table, read live like a host would
    int frame = 0;
    float x = 0.0f;
    float y = 0.0f;
    bool mirrored = false;
    bool alive = true;
    bool positioned = false;     // SetPosition called at least once
};

class FakeHost : public CVantorEngine, public CVantorGraphics, public CVantorSound {
public:
    using Factory = std::function<CVantorEntity*(const char*)>;

    // The factory makes the entities that CreateEntity asks for (the module's own, by default).
    FakeHost();
    explicit FakeHost(Factory factory);
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // --- CVantorEngine
    CVantorGraphics* GetGraphics() override { return this; }
    CVantorSound* GetSound() override { return this; }
    float GetFrameTime() override;
    CVantorEntity* CreateEntity(const char* className) override;
    void DestroyEntity(CVantorEntity* entity) override;
    void PostAction(const char* name) override;
    void PushAction(ActionRecord action) override;
    std::list<ActionRecord>& GetActions() override;

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

    // --- Set-up for tests
    // Makes every later load of this path (as the game writes it, with '\') return -1.
    void FailLoad(const std::string& path);
    void SetFrameTime(float seconds) { frameTime = seconds; }
    // Queues an action like the input plug-in would: PostAction or PushAction with a value.
    void Post(const std::string& name);
    void Push(const std::string& name, float value = 1.0f);
    // Registers an entity made elsewhere (the game state) for updates, as the host does with the
    // one it creates itself; the host keeps it and frees it with the given deleter.
    void Register(CVantorEntity* entity, std::function<void(CVantorEntity*)> deleter = {});

    // Creates "GameState" through the factory, registers it and attaches it; null when the
    // factory has no such class. The result of Attach is in attachResult.
    CVantorEntity* StartGame();

    // --- Frames, like the real host: every live entity's Update once, in registration order;
    // entities ended during the frame are skipped if not yet updated and freed afterwards;
    // entities created during the frame are first updated in the next one. Then, when
    // clearQueue is set, whatever is left in the action queue is dropped.
    void RunFrame();
    void RunFrames(int count);
    bool clearQueue = true;

    // --- What happened
    std::vector<std::string> calls;      // "LoadImage images\Hiro.bmp 0 -> 3", in order
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    void ClearCalls() { calls.clear(); }

    std::vector<std::string> QueueNames() const;
    std::vector<std::string> posted;     // "quit", ... every PostAction from the game, in order
    std::vector<std::string> played;     // path of every PlaySound, in order
    std::vector<bool> fullscreenCalls;

    // Sprites alive now, in creation order; and every sprite ever made.
    std::vector<FakeSprite*> LiveSprites() const;
    std::vector<FakeSprite*> LiveSpritesOf(const std::string& imagePath) const;
    const std::vector<std::unique_ptr<FakeSprite>>& AllSprites() const { return sprites; }
    FakeSprite* Sprite(CVantorSprite* sprite) const;
    // The path of the image a sprite shows now ("" for an invalid handle).
    std::string ImageOf(const FakeSprite& sprite) const;
    std::string ImagePath(int handle) const;
    int ImageHandle(const std::string& path) const;   // the live handle of a path, or -1
    int SoundHandle(const std::string& path) const;

    // Entities registered and not destroyed, in registration order.
    std::vector<CVantorEntity*> LiveEntities() const;
    std::vector<std::string> CreatedClasses() const { return createdClasses; }
    bool IsLive(const CVantorEntity* entity) const;
    int frameNumber = 0;
    bool attachResult = false;
    int imagesUnloaded = 0;
    int soundsUnloaded = 0;

private:
    struct Registered {
        CVantorEntity* entity;
        bool alive;
        std::function<void(CVantorEntity*)> deleter;
    };

    void Record(std::string call);
    void FreeDead();

    Factory factory;
    float frameTime = 1.0f / 60.0f;
    std::list<ActionRecord> queue;
    std::set<std::string> failing;
    std::map<int, std::string> images;   // live image handles
    std::map<int, std::string> sounds;   // live sound handles
    std::map<int, std::string> everImages;
    int nextImage = 0;
    int nextSound = 0;
    std::vector<std::unique_ptr<FakeSprite>> sprites;
    std::vector<Registered> entities;
    std::vector<std::string> createdClasses;
    bool inFrame = false;
    std::size_t frameLimit = 0;          // entities registered before the running frame
};
