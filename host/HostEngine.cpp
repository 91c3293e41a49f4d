// Entity registry, action queue and frame loop.
#include "HostEngine.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr const char* kQuit = "quit";
constexpr const char* kPauseToggle = "pause-toggle";
constexpr const char* kFullscreenToggle = "fullscreen-toggle";

// The game's entities have trivial destructors and no virtual one: only their memory is freed.
void FreeEntityMemory(CVantorEntity* entity)
{
    ::operator delete(static_cast<void*>(entity));
}

bool NameIs(const ActionRecord& record, const char* name)
{
    return std::strcmp(record.name, name) == 0;
}

}  // namespace

CHostEngine::CHostEngine(CGraphicsService& graphicsService, CSoundService& soundService)
    : graphics(graphicsService), sound(soundService)
{
}

CHostEngine::~CHostEngine()
{
    ReleaseEnded();
    for (const Slot& slot : slots) {
        if (slot.alive) {
            FreeEntityMemory(slot.entity);
        }
    }
}

void CHostEngine::Register(CVantorEntity* entity)
{
    index.emplace(entity, slots.size());
    slots.push_back({entity, true});
}

bool CHostEngine::AddEntity(CVantorEntity* entity)
{
    if (entity == nullptr) {
        return false;
    }
    Register(entity);
    return entity->Attach(this);
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
    entity->Attach(this);   // the game entities' Attach cannot fail
    Register(entity);
    return entity;
}

void CHostEngine::DestroyEntity(CVantorEntity* entity)
{
    const auto found = index.find(entity);
    if (found == index.end()) {
        return;   // unknown or already ended
    }
    slots[found->second].alive = false;
    index.erase(found);
    ended.push_back(entity);
}

void CHostEngine::Enqueue(const ActionRecord& record)
{
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

void CHostEngine::ReleaseEnded()
{
    if (ended.empty()) {
        return;
    }
    slots.erase(std::remove_if(slots.begin(), slots.end(),
                               [](const Slot& slot) { return !slot.alive; }),
                slots.end());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        index[slots[i].entity] = i;
    }
    for (CVantorEntity* entity : ended) {
        FreeEntityMemory(entity);
    }
    ended.clear();
}

void CHostEngine::RunFrame(float dt, const std::function<void()>& draw)
{
    frameTime = dt;
    frameActions.clear();
    sound.ClearPlayed();

    if (input != nullptr) {
        input->Poll();
    }
    // A held Alt+Enter is posted at every poll; only its first poll counts as a press.
    const bool fullscreenNow = QueueHas(kFullscreenToggle);
    if (fullscreenNow && fullscreenHeld) {
        EraseFromQueue(kFullscreenToggle);
    }
    fullscreenHeld = fullscreenNow;

    if (!paused) {
        const std::size_t count = slots.size();   // entities made in this frame wait
        for (std::size_t i = 0; i < count; ++i) {
            if (slots[i].alive) {
                slots[i].entity->Update();
            }
        }
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
    ReleaseEnded();
    ++frameNumber;
}
