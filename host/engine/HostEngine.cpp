// The engine the plug-ins see: entities, their layers, and the frame rule.
#include "engine/HostEngine.h"

#include <new>
#include <utility>

#include "engine/HostActions.h"

CHostEngine::CHostEngine(CGraphicsService& graphicsService, CSoundService& soundService)
    : graphics(graphicsService), sound(soundService)
{
}

template <typename Code>
auto CHostEngine::AsEntity(const CVantorEntity* entity, Code code)
{
    // An entity may make another one inside its own code: the maker's layer comes back after.
    const SpriteLayer outer = graphics.CreatorLayer();
    const auto found = layers.find(entity);
    graphics.SetCreatorLayer(found != layers.end() ? found->second : SpriteLayer::Outside);
    auto result = code();
    graphics.SetCreatorLayer(outer);
    return result;
}

bool CHostEngine::AddEntity(CVantorEntity* entity, const char* className, Disposal dispose)
{
    if (entity == nullptr) {
        return false;
    }
    entities.Add(entity, std::move(dispose));
    layers[entity] = LayerOfClass(className);
    return AsEntity(entity, [&] { return entity->Attach(face); });
}

CVantorEntity* CHostEngine::CreateEntity(const char* className)
{
    CVantorEntity* entity = factory && className != nullptr ? factory(className) : nullptr;
    if (entity == nullptr) {
        if (fatal) {
            fatal(std::string("the game module has no entity class \"") +
                  (className != nullptr ? className : "(null)") + "\"");
        }
        return nullptr;
    }
    layers[entity] = LayerOfClass(className);
    const std::size_t spritesBefore = graphics.SpriteCount();
    AsEntity(entity, [&] { return entity->Attach(face); });   // the game entities' cannot fail
    entities.Add(entity);
    if (graphics.SpriteCount() == spritesBefore) {
        graphics.SetNextSpriteLayer(layers[entity]);   // its maker makes its sprite next
    }
    return entity;
}

void CHostEngine::DestroyEntity(CVantorEntity* entity)
{
    if (entities.End(entity)) {   // an unknown or already ended entity is let be
        layers.erase(entity);
    }
}

void CHostEngine::CaptureInput(FrameInput& into)
{
    if (input == nullptr) {
        into.actions.clear();
        return;
    }
    queue.BeginCapture(into);
    input->Poll();
    queue.EndCapture();
}

void CHostEngine::RunFrame(float dt, const std::function<void()>& draw)
{
    CaptureInput(polled);
    RunFrame(dt, polled, draw);
}

void CHostEngine::RunFrame(float dt, const FrameInput& frameInput, const std::function<void()>& draw)
{
    frameTime = dt;
    queue.StartFrame();
    sound.ClearPlayed();

    queue.Queue(frameInput);
    // A held Alt+Enter is posted at every poll; only its first poll counts as a press.
    const bool fullscreenNow = queue.Has(kFullscreenToggleAction);
    if (fullscreenNow && fullscreenHeld) {
        queue.Erase(kFullscreenToggleAction);
    }
    fullscreenHeld = fullscreenNow;

    if (!paused) {
        entities.UpdateAll([this](CVantorEntity* entity) {
            const auto found = layers.find(entity);
            graphics.SetCreatorLayer(found != layers.end() ? found->second : SpriteLayer::Outside);
        });
        graphics.SetCreatorLayer(SpriteLayer::Outside);
    }

    if (draw) {
        draw();
    }

    if (queue.Has(kQuitAction)) {
        quitRequested = true;
    }
    const bool pauseNow = queue.Has(kPauseToggleAction);
    if (pauseNow && !pauseHeld) {
        paused = !paused;
    }
    pauseHeld = pauseNow;

    queue.Drop();
    entities.ReleaseEnded();
    ++frameNumber;
}
