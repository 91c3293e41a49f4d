// The engine the plug-ins see, and one frame of the game. A frame's input is a value: what the
// input object posted during its poll, captured apart (CaptureInput) so that a recording can
// keep it and a replay can hand a recorded one in. One frame (RunFrame):
//   queue the frame's input; drop repeats of a held fullscreen chord; update every live entity
//   once, in registration order (the game state first), unless paused; draw; handle "quit" and
//   a press of "pause-toggle"; drop whatever is left in the action queue; free ended entities.
// The entity rule (skipping, late release, late start) is CEntityRegistry's; the queue's own
// rules (padding, capture) are CActionQueue's.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/ActionQueue.h"
#include "engine/EntityRegistry.h"
#include "engine/GraphicsService.h"
#include "engine/SoundService.h"
#include "formats/FrameInput.h"
#include "VantorEngine.h"
#include "VantorEntity.h"
#include "VantorInput.h"

class CHostEngine final : public CVantorEngine {
public:
    using Factory = std::function<CVantorEntity*(const char*)>;
    using FatalHandler = std::function<void(const std::string&)>;
    using Disposal = CEntityRegistry::Disposal;

    CHostEngine(CGraphicsService& graphics, CSoundService& sound);
    // Frees every entity still registered (see CEntityRegistry). A running host keeps its engine
    // until the process ends: it has no way to destroy the game state properly.
    ~CHostEngine() = default;
    CHostEngine(const CHostEngine&) = delete;
    CHostEngine& operator=(const CHostEngine&) = delete;

    // --- CVantorEngine
    CVantorGraphics* GetGraphics() override { return &graphics; }
    CVantorSound* GetSound() override { return &sound; }
    float GetFrameTime() override { return frameTime; }
    CVantorEntity* CreateEntity(const char* className) override;
    void DestroyEntity(CVantorEntity* entity) override;
    void PostAction(const char* name) override { queue.Post(name); }
    void PushAction(ActionRecord action) override { queue.Push(action); }
    std::list<ActionRecord>& GetActions() override { return queue.Records(); }
    const std::list<ActionRecord>& Queue() const { return queue.Records(); }

    // --- Set-up
    // Makes the entities CreateEntity asks for (the game module's export).
    void SetFactory(Factory entityFactory) { factory = std::move(entityFactory); }
    // Called when the factory has no entity for a class name; the game cannot go on after that.
    void SetFatalHandler(FatalHandler handler) { fatal = std::move(handler); }
    void SetInput(CVantorInput* inputObject) { input = inputObject; }
    // The engine entities are attached to: this one, unless a recorder wraps it (the tests').
    void SetEntityFace(CVantorEngine& engineFace) { face = &engineFace; }
    // Registers an entity the host made itself (the game state) and attaches it; Attach's result.
    // className decides the layer its sprites are drawn in (see SpriteLayers.h); dispose, when
    // given, ends the entity when the engine does (see CEntityRegistry::Add).
    bool AddEntity(CVantorEntity* entity, const char* className = nullptr, Disposal dispose = {});

    // --- Frames
    // Polls the input object, keeping what it posts in input (cleared first) instead of the queue.
    void CaptureInput(FrameInput& input);
    // Runs one frame of dt seconds with the given input; draw is called after the updates.
    void RunFrame(float dt, const FrameInput& input, const std::function<void()>& draw);
    // Polls the input object and runs the frame with what it posted.
    void RunFrame(float dt, const std::function<void()>& draw);
    bool QuitRequested() const { return quitRequested; }
    bool Paused() const { return paused; }
    void SetPaused(bool value) { paused = value; }
    std::int64_t FrameNumber() const { return frameNumber; }   // frames run so far
    // Every action posted during the last frame, in order (also the ones dropped unread).
    const std::vector<PostedAction>& FrameActions() const { return queue.Posted(); }

    std::size_t LiveEntityCount() const { return entities.LiveCount(); }
    const CEntityRegistry& Entities() const { return entities; }

private:
    CGraphicsService& graphics;
    CSoundService& sound;
    Factory factory;
    FatalHandler fatal;
    CVantorInput* input = nullptr;
    CVantorEngine* face = this;

    // Runs code of an entity with its sprites going to its layer; afterwards, none is running.
    template <typename Code> auto AsEntity(const CVantorEntity* entity, Code code);

    CEntityRegistry entities;
    std::unordered_map<const CVantorEntity*, SpriteLayer> layers;   // live entities
    CActionQueue queue;
    FrameInput polled;               // RunFrame's own capture, reused from frame to frame
    float frameTime = 0.0f;
    std::int64_t frameNumber = 0;
    bool fullscreenHeld = false;   // the fullscreen chord was down at the previous poll
    bool pauseHeld = false;        // "pause-toggle" was there at the previous frame's end
    bool paused = false;
    bool quitRequested = false;
};
