// The frame rule for entities, kept once for every host (the real one and the tests'): entities
// are updated once a frame in registration order; one ended during a frame is skipped if not yet
// updated and its memory is released only after the frame; one created during a frame is first
// updated in the next. Needs nothing but host_api/, so it builds wherever the plug-ins do.
//
// Memory across the boundary: the game module makes its entities with plain new and ends them
// through DestroyEntity; the host frees only their memory. That holds because every entity class
// but the game state is trivially destructible (the module checks it where it makes them) and
// because host and plug-ins allocate from one C heap (the same C runtime on every system: glibc,
// or msvcrt for mingw-w64 builds). The game state holds lists and is never destroyed by the
// game: whoever registers it hands in how to dispose of it, or it lives as long as the process.
#pragma once

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

#include "VantorEntity.h"

class CEntityRegistry {
public:
    using Disposal = std::function<void(CVantorEntity*)>;

    CEntityRegistry() = default;
    // Frees every entity still registered (its disposal, or its memory) and every ended one.
    ~CEntityRegistry();
    CEntityRegistry(const CEntityRegistry&) = delete;
    CEntityRegistry& operator=(const CEntityRegistry&) = delete;

    // Adds an entity at the end of the update order. dispose, when given, replaces freeing its
    // memory when the registry ends; an entity with a disposal is never freed before that.
    void Add(CVantorEntity* entity, Disposal dispose = {});
    // Takes a live entity out of the update order; its memory goes after the frame. False for an
    // unknown or already ended entity.
    bool End(CVantorEntity* entity);
    // Update of every live entity registered before this call, once, in registration order;
    // before, when given, hears of each entity just before its Update.
    void UpdateAll(const std::function<void(CVantorEntity*)>& before = {});
    // Frees the entities ended since the last call; call it after the frame, never during one.
    void ReleaseEnded();

    bool IsLive(const CVantorEntity* entity) const;
    std::size_t LiveCount() const { return index.size(); }
    // Live entities in registration order.
    std::vector<CVantorEntity*> Live() const;

private:
    struct Slot {
        CVantorEntity* entity;
        bool alive;
        Disposal dispose;
    };

    std::vector<Slot> slots;                                       // registration order
    std::unordered_map<const CVantorEntity*, std::size_t> index;   // live entity -> slot
    std::vector<CVantorEntity*> ended;                             // freed after the frame
    std::vector<Disposal> endedDisposals;                          // kept until the end
    std::vector<CVantorEntity*> endedWithDisposal;
};
