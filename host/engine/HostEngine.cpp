// Entity registry, action queue and frame loop.
#include "engine/HostEngine.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "engine/HostActions.h"

namespace {

constexpr const char* kQuit = kQuitAction;
constexpr const char* kPauseToggle = kPauseToggleAction;
constexpr const char* kFullscreenToggle = kFullscreenToggleAction;

bool NameIs(const ActionRecord& record, const char* name)
{
    return std::strcmp(record.name, name) == 0;
}

}  // namespace

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

void CHostEngine::Enqueue(const ActionRecord& record)
{
    if (capture != nullptr) {
        capture->actions.push_back(record);
        return;
    }
    queue.push_back(record);
    frameActions.push_back({record.name, record.value});
}

void CHostEngine::PostAction(const char* name)
{
    if (name == nullptr) {
        return;
    }
    ActionRecord record{};
    std::strncpy(record.name, name, sizeof record.name - 1);
    record.value = 1.0f;
    Enqueue(record);
}

void CHostEngine::PushAction(ActionRecord action)
{
    // The name must end inside the record; the bytes after the terminator are zero.
    action.name[sizeof action.name - 1] = '\0';
    const std::size_t length = std::strlen(action.name);
    std::memset(action.name + length, 0, sizeof action.name - length);
    Enqueue(action);
}

bool CHostEngine::QueueHas(const char* name) const
{
    return std::any_of(queue.begin(), queue.end(),
                       [name](const ActionRecord& record) { return NameIs(record, name); });
}

void CHostEngine::EraseFromQueue(const char* name)
{
    queue.remove_if([name](const ActionRecord& record) { return NameIs(record, name); });
}

void CHostEngine::CaptureInput(FrameInput& into)
{
    into.actions.clear();
    if (input == nullptr) {
        return;
    }
    capture = &into;
    input->Poll();
    capture = nullptr;
}

void CHostEngine::RunFrame(float dt, const std::function<void()>& draw)
{
    CaptureInput(polled);
    RunFrame(dt, polled, draw);
}

void CHostEngine::RunFrame(float dt, const FrameInput& frameInput, const std::function<void()>& draw)
{
    frameTime = dt;
    frameActions.clear();
    sound.ClearPlayed();

    for (const ActionRecord& action : frameInput.actions) {
        Enqueue(action);
    }
    // A held Alt+Enter is posted at every poll; only its first poll counts as a press.
    const bool fullscreenNow = QueueHas(kFullscreenToggle);
    if (fullscreenNow && fullscreenHeld) {
        EraseFromQueue(kFullscreenToggle);
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

    if (QueueHas(kQuit)) {
        quitRequested = true;
    }
    const bool pauseNow = QueueHas(kPauseToggle);
    if (pauseNow && !pauseHeld) {
        paused = !paused;
    }
    pauseHeld = pauseNow;

    queue.clear();
    entities.ReleaseEnded();
    ++frameNumber;
}
