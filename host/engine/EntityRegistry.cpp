// Entity registration, updates and release.
#include "engine/EntityRegistry.h"

#include <algorithm>
#include <new>

namespace {

// Only the memory: see the header for why that is all an ended entity needs.
void FreeEntityMemory(CVantorEntity* entity)
{
    ::operator delete(static_cast<void*>(entity));
}

}  // namespace

CEntityRegistry::~CEntityRegistry()
{
    ReleaseEnded();
    for (Slot& slot : slots) {
        if (slot.dispose) {
            slot.dispose(slot.entity);
        } else {
            FreeEntityMemory(slot.entity);
        }
    }
    for (std::size_t i = 0; i < endedWithDisposal.size(); ++i) {
        endedDisposals[i](endedWithDisposal[i]);
    }
}

void CEntityRegistry::Add(CVantorEntity* entity, Disposal dispose)
{
    index.emplace(entity, slots.size());
    slots.push_back({entity, true, std::move(dispose)});
}

bool CEntityRegistry::End(CVantorEntity* entity)
{
    const auto found = index.find(entity);
    if (found == index.end()) {
        return false;
    }
    Slot& slot = slots[found->second];
    slot.alive = false;
    index.erase(found);
    if (slot.dispose) {
        // Disposed of when the registry ends, as whoever registered it asked.
        endedWithDisposal.push_back(entity);
        endedDisposals.push_back(std::move(slot.dispose));
        slot.dispose = nullptr;
    } else {
        ended.push_back(entity);
    }
    return true;
}

void CEntityRegistry::UpdateAll(const std::function<void(CVantorEntity*)>& before)
{
    const std::size_t count = slots.size();   // entities made in this frame wait for the next
    for (std::size_t i = 0; i < count; ++i) {
        if (slots[i].alive) {
            if (before) {
                before(slots[i].entity);
            }
            slots[i].entity->Update();
        }
    }
}

void CEntityRegistry::ReleaseEnded()
{
    if (slots.size() == index.size() && ended.empty()) {
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

bool CEntityRegistry::IsLive(const CVantorEntity* entity) const
{
    return index.count(entity) != 0;
}

std::vector<CVantorEntity*> CEntityRegistry::Live() const
{
    std::vector<CVantorEntity*> live;
    live.reserve(index.size());
    for (const Slot& slot : slots) {
        if (slot.alive) {
            live.push_back(slot.entity);
        }
    }
    return live;
}
