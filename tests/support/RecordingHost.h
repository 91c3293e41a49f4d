// The recording host of the tests: a recorder around the host's own engine (CHostEngine, with
// CGraphicsService and CSoundService), never a second engine. The plug-in sees the recorder's
// faces (engine, graphics, sound, sprites); each records the call and passes it on, so handles,
// unloads, sprite layers, the entity rule and the frame rule (pause, quit, a held fullscreen
// chord, the queue dropped at the frame's end) are the host's. A test can fail any named load,
// set the frame time, and queue actions as the input plug-in would. Images and sounds are tiny
// placeholders handed to the host's services in place of files. The module's factory and how to
// dispose of the game state are handed in, so the same host serves the game's unit tests (linked
// code) and the Windows test host (the real DLL).
//
// Call log, one line a call: the operation, then its arguments as passed; what a load returns
// after " -> "; an image or sound handle as the path it was loaded from while it is loaded
// ("<invalid N>" otherwise); a sprite as "#id" (creation order); bools as true/false; floats in
// their shortest form. Posts read as RecordedPost::Call says ("PushAction left 1"). A fatal error
// of the engine reads "Fatal <message>".
#pragma once

#include <functional>
#include <list>
#include <set>
#include <string>
#include <vector>

#include "engine/GraphicsService.h"
#include "engine/HostEngine.h"
#include "engine/SoundOutput.h"
#include "engine/SoundService.h"
#include "RecordingGraphics.h"
#include "RecordingSound.h"
#include "VantorEngine.h"
#include "VantorEntity.h"

class RecordingHost : public CVantorEngine {
public:
    using Factory = CHostEngine::Factory;
    using Disposal = CHostEngine::Disposal;

    // factory makes what CreateEntity and StartGame ask for (none: every CreateEntity is fatal).
    // disposeGameState ends the entity that StartGame or Start registers, when the host ends;
    // without one, only its memory is freed, as for every other entity.
    explicit RecordingHost(Factory factory = {}, Disposal disposeGameState = {});
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // --- CVantorEngine
    CVantorGraphics* GetGraphics() override { return &graphicsFace; }
    CVantorSound* GetSound() override { return &soundFace; }
    float GetFrameTime() override { return frameTime; }
    CVantorEntity* CreateEntity(const char* className) override;
    void DestroyEntity(CVantorEntity* entity) override;
    void PostAction(const char* name) override;
    void PushAction(ActionRecord action) override;
    std::list<ActionRecord>& GetActions() override { return engine.GetActions(); }

    // --- Set-up for tests
    // Makes every later load of this path (as the plug-in writes it, with '\') fail.
    void FailLoad(const std::string& path);
    // The frame time entities read, and the length of the frames RunFrame runs.
    void SetFrameTime(float seconds) { frameTime = seconds; }
    // Queues an action unrecorded, as the input plug-in would: a name with value 1 or the given.
    // What is queued between frames is the next frame's input.
    void Post(const std::string& name) { Push(name, 1.0f); }
    void Push(const std::string& name, float value = 1.0f);
    // As the host starts a game: registers the entity as the game state (its layer, with the game
    // state's disposal) and attaches it; Attach's result, also kept in attachResult.
    bool Start(CVantorEntity* entity);
    // Makes the game state through the factory and starts it; null when the factory makes none.
    CVantorEntity* StartGame();

    // --- Frames: the host's own frame rule, with what was queued since the last frame as input.
    void RunFrame();
    void RunFrames(int count);
    bool QuitRequested() const { return engine.QuitRequested(); }
    bool Paused() const { return engine.Paused(); }

    // --- What happened
    std::vector<std::string> calls;      // "LoadImage images\Hiro.bmp 0 -> 3", in order
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    void ClearCalls() { calls.clear(); }
    std::vector<std::string> QueueNames() const;
    // The queue as the last frame's updates left it, which the host then dropped.
    const std::vector<std::string>& LeftInQueue() const { return leftInQueue; }
    std::vector<std::string> posted;     // "quit", ... every PostAction from the plug-in, in order
    const std::string& Fatal() const { return fatal; }   // the engine's fatal error, if any
    const std::vector<std::string>& Played() const { return soundFace.played; }
    const std::vector<bool>& FullscreenCalls() const { return graphicsFace.fullscreenCalls; }
    int ImagesUnloaded() const { return graphicsFace.unloads; }

    std::vector<RecordedSprite*> LiveSprites() const { return graphicsFace.LiveSprites(); }
    std::vector<RecordedSprite*> LiveSpritesOf(const std::string& imagePath) const;
    const auto& AllSprites() const { return graphicsFace.AllSprites(); }
    RecordedSprite* Sprite(const CVantorSprite* sprite) const { return graphicsFace.Sprite(sprite); }
    std::string ImageOf(const RecordedSprite& sprite) const { return graphicsFace.ImageOf(sprite); }
    std::string ImagePath(int handle) const { return graphicsFace.ImagePath(handle); }
    int ImageHandle(const std::string& path) const { return graphicsFace.ImageHandle(path); }
    int SoundHandle(const std::string& path) const { return soundFace.SoundHandle(path); }
    const RecordingGraphics& Graphics() const { return graphicsFace; }

    // Entities registered and not ended, in registration order.
    std::vector<CVantorEntity*> LiveEntities() const { return engine.Entities().Live(); }
    bool IsLive(const CVantorEntity* entity) const { return engine.Entities().IsLive(entity); }
    const std::vector<std::string>& CreatedClasses() const { return createdClasses; }
    bool attachResult = false;

private:
    bool Failing(const AssetLocation& location, std::string& error) const;

    Factory factory;
    Disposal disposeGameState;
    float frameTime = 1.0f / 60.0f;
    std::set<std::string> failing;   // with '/'
    std::vector<std::string> leftInQueue;
    std::vector<std::string> createdClasses;
    std::string fatal;

    CSilentSoundOutput output;
    CGraphicsService graphics;
    CSoundService sound;
    RecordingGraphics graphicsFace;
    RecordingSound soundFace;
    // Last, so that it goes first: entities end while the services they may call are still here.
    CHostEngine engine;
};
