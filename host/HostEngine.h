// The engine the plug-ins see, and the frame loop both front ends run. One frame:
//   poll the input object; drop repeats of a held fullscreen chord; update every live entity
//   once, in registration order (the game state first), unless paused; draw; handle "quit" and
//   a press of "pause-toggle"; drop whatever is left in the action queue; free ended entities.
// An entity ended during the frame is skipped if not yet updated and its memory is released
// only after the frame; entities created during a frame are first updated in the next one.
#pragma once

#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "GraphicsService.h"
#include "SoundService.h"
#include "VantorEngine.h"
#include "VantorEntity.h"
#include "VantorInput.h"

struct PostedAction {
    std::string name;
    float value;
};

class CHostEngine final : public CVantorEngine {
public:
    using Factory = std::function<CVantorEntity*(const char*)>;
    using FatalHandler = std::function<void(const std::string&)>;

    CHostEngine(CGraphicsService& graphics, CSoundService& sound);
    // Frees the memory of every entity still registered. Only tests end an engine: a running
    // host keeps it until the process ends, since it cannot destroy the game state properly.
    ~CHostEngine();
    CHostEngine(const CHostEngine&) = delete;
    CHostEngine& operator=(const CHostEngine&) = delete;

    // --- CVantorEngine
    CVantorGraphics* GetGraphics() override { return &graphics; }
    CVantorSound* GetSound() override { return &sound; }
    float GetFrameTime() override { return frameTime; }
    CVantorEntity* CreateEntity(const char* className) override;
    void DestroyEntity(CVantorEntity* entity) override;
    void PostAction(const char* name) override;
    void PushAction(ActionRecord action) override;
    std::list<ActionRecord>& GetActions() override { return queue; }

    // --- Set-up
    // Makes the entities CreateEntity asks for (the game module's export).
    void SetFactory(Factory entityFactory) { factory = std::move(entityFactory); }
    // Called when the factory has no entity for a class name; the game cannot go on after that.
    void SetFatalHandler(FatalHandler handler) { fatal = std::move(handler); }
    void SetInput(CVantorInput* inputObject) { input = inputObject; }
    // Registers an entity the host made itself (the game state) and attaches it; Attach's result.
    bool AddEntity(CVantorEntity* entity);

    // --- Frames
    // Runs one frame of dt seconds; draw is called after the updates.
    void RunFrame(float dt, const std::function<void()>& draw);
    bool QuitRequested() const { return quitRequested; }
    bool Paused() const { return paused; }
    void SetPaused(bool value) { paused = value; }
    int FrameNumber() const { return frameNumber; }   // frames run so far
    // Every action posted during the last frame, in order (also the ones dropped unread).
    const std::vector<PostedAction>& FrameActions() const { return frameActions; }

    std::size_t LiveEntityCount() const { return index.size(); }

private:
    struct Slot {
        CVantorEntity* entity;
        bool alive;
    };

    void Register(CVantorEntity* entity);
    void Enqueue(const ActionRecord& record);
    bool QueueHas(const char* name) const;
    void EraseFromQueue(const char* name);
    void ReleaseEnded();

    CGraphicsService& graphics;
    CSoundService& sound;
    Factory factory;
    FatalHandler fatal;
    CVantorInput* input = nullptr;

    std::vector<Slot> slots;                                 // registration order
    std::unordered_map<CVantorEntity*, std::size_t> index;   // live entity -> slot
    std::vector<CVantorEntity*> ended;                       // freed after the frame

    std::list<ActionRecord> queue;
    std::vector<PostedAction> frameActions;
    float frameTime = 0.0f;
    int frameNumber = 0;
    bool fullscreenHeld = false;   // the fullscreen chord was down at the previous poll
    bool pauseHeld = false;        // "pause-toggle" was there at the previous frame's end
    bool paused = false;
    bool quitRequested = false;
};
