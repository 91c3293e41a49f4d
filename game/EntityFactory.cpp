// Factory keys in lookup order; a name outside the table allocates nothing.
#include "EntityFactory.h"

#include <cstring>
#include <new>
#include <type_traits>

#include "AmmoBox.h"
#include "Bullet.h"
#include "Enemy.h"
#include "Fireball.h"
#include "GameState.h"
#include "Player.h"
#include "Shooter.h"

namespace {

// Memory across the boundary. The host ends an entity by giving its memory back with
// ::operator delete, without running a destructor, so every entity but the game state must have
// a trivial one. The game state holds lists, so it must never be freed that way; it never ends
// itself. Memory made here and freed there must come from one C heap: on Windows each side links
// its C++ runtime statically, and the operator new and delete of each end in the malloc and free
// of the one msvcrt.dll they all import.
template <typename T>
constexpr bool kHostMayFree = std::is_trivially_destructible_v<T>;

static_assert(kHostMayFree<CBullet> && kHostMayFree<CFireball> && kHostMayFree<CEnemy> &&
              kHostMayFree<CAmmoBox> && kHostMayFree<CPlayer> && kHostMayFree<CShooter>);

// Null when memory runs out: nothing may be thrown across the module's export.
template <typename T>
CVantorEntity* Make()
{
    try {
        return new T();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

struct FactoryEntry {
    const char* name;
    CVantorEntity* (*create)();
};

constexpr FactoryEntry kFactory[] = {
    {"GameState", Make<CGameState>}, {"Bullet", Make<CBullet>}, {"Fireball", Make<CFireball>},
    {"Enemy", Make<CEnemy>},         {"AmmoBox", Make<CAmmoBox>}, {"Player", Make<CPlayer>},
    {"Shooter", Make<CShooter>},
};

}  // namespace

CVantorEntity* CreateEntityByName(const char* className)
{
    if (className == nullptr) {
        return nullptr;
    }
    for (const FactoryEntry& entry : kFactory) {
        if (std::strcmp(className, entry.name) == 0) {
            return entry.create();
        }
    }
    return nullptr;
}
