// The recording host of the tests: the engine, graphics, sprite and sound services a plug-in
// sees, knowing nothing but host_api. It records every call in order with its arguments, hands
// out handles, can fail named loads, keeps the action queue, and runs entities frame by frame
// under the host's own frame rule (CEntityRegistry). The module's factory and how to dispose of
// the game state are handed in, so the same host serves the game's unit tests (linked code) and
// the Windows test host (the real DLL).
//
// Call log, one line a call: the operation, then its arguments as passed; what a load returns
// after " -> "; an image or sound handle as the path it was loaded from ("<invalid N>" for
// one that never was); a sprite as "#id" (creation order); bools as true/false; floats in
// their shortest form. Posts read as RecordedPost::Call says ("PushAction left 1").
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

class CEntityRegistry;
class RecordingHost;

// A sprite as the recording host keeps it; the plug-in only sees the CVantorSprite face.
class RecordedSprite : public CVantorSprite {
public:
    RecordedSprite(RecordingHost& host, int id, std::vector<int> frames, const int* table);

    void SetPosition(float x, float y) override;
    void SetFrame(int frame) override;
    void SetMirrored(bool mirrored) override;

    RecordingHost& host;
    int id;                      // creation order, from 0
    std::vector<int> frames;     // copied frame table (handles at creation time)
    const int* table;            // the plug-in's own frame table, read live like a host would
    int frame = 0;
    float x = 0.0f;
    float y = 0.0f;
    bool mirrored = false;
    bool alive = true;
    bool positioned = false;     // SetPosition called at least once
};

class RecordingHost : public CVantorEngine, public CVantorGraphics, public CVantorSound {
public:
    using Factory = std::function<CVantorEntity*(const char*)>;
    using Disposal = std::function<void(CVantorEntity*)>;

    // factory makes what CreateEntity and StartGame ask for (none: every CreateEntity fails).
    // disposeGameState ends the entity that StartGame or Start registers, when the host ends;
    // without one, only its memory is freed, as for every other entity.
    explicit RecordingHost(Factory factory = {}, Disposal disposeGameState = {});
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

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

    // --- Set-up for tests
    // Makes every later load of this path (as the plug-in writes it, with '\') return -1.
    void FailLoad(const std::string& path);
    void SetFrameTime(float seconds) { frameTime = seconds; }
    // Queues an action like the input plug-in would, unrecorded: a name with value 1 or the given.
    void Post(const std::string& name);
    void Push(const std::string& name, float value = 1.0f);
    // Registers an entity made elsewhere for updates; the host frees it when it ends, with the
    // given disposal or else by freeing its memory.
    void Register(CVantorEntity* entity, Disposal dispose = {});

    // As the host starts a game: registers the entity (with the game state's disposal) and
    // attaches it; Attach's result, also kept in attachResult. False for null.
    bool Start(CVantorEntity* entity);
    // Makes "GameState" through the factory and starts it; null when the factory makes none.
    CVantorEntity* StartGame();

    // --- Frames, under the host's frame rule (see CEntityRegistry). Afterwards, when
    // clearQueue is set, whatever is left in the action queue is dropped, as the host does.
    void RunFrame();
    void RunFrames(int count);
    bool clearQueue = true;

    // --- What happened
    std::vector<std::string> calls;      // "LoadImage images\Hiro.bmp 0 -> 3", in order
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    void ClearCalls() { calls.clear(); }

    std::vector<std::string> QueueNames() const;
    std::vector<std::string> posted;     // "quit", ... every PostAction from the plug-in, in order
    std::vector<std::string> played;     // what every PlaySound played (the log's words), in order
    std::vector<bool> fullscreenCalls;

    // Sprites alive now, in creation order; and every sprite ever made.
    std::vector<RecordedSprite*> LiveSprites() const;
    std::vector<RecordedSprite*> LiveSpritesOf(const std::string& imagePath) const;
    const std::vector<std::unique_ptr<RecordedSprite>>& AllSprites() const { return sprites; }
    RecordedSprite* Sprite(CVantorSprite* sprite) const;
    // The path of the image a sprite shows now ("" for an invalid handle).
    std::string ImageOf(const RecordedSprite& sprite) const;
    std::string ImagePath(int handle) const;   // "" for a handle never given out
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
    friend class RecordedSprite;

    void Record(std::string call);
    int Load(std::map<int, std::string>& live, int& next, const char* path);
    int LoadImageFile(const char* path);
    static std::string HandleText(const std::map<int, std::string>& paths, int handle);
    static int HandleOf(const std::map<int, std::string>& paths, const std::string& path);

    Factory factory;
    Disposal disposeGameState;
    std::unique_ptr<CEntityRegistry> entities;
    bool inFrame = false;
    float frameTime = 1.0f / 60.0f;
    std::list<ActionRecord> queue;
    std::set<std::string> failing;
    std::map<int, std::string> images;   // live image handles
    std::map<int, std::string> sounds;   // live sound handles
    std::map<int, std::string> everImages;
    int nextImage = 0;
    int nextSound = 0;
    std::vector<std::unique_ptr<RecordedSprite>> sprites;
    std::vector<std::string> createdClasses;
};
