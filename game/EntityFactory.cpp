// Factory keys in lookup order; a name outside the table allocates nothing.
#include "EntityFactory.h"

#include <cstring>
#include <new>

#include "AmmoBox.h"
#include "Bullet.h"
#include "Enemy.h"
#include "Fireball.h"
#include "GameState.h"
#include "Player.h"
#include "Shooter.h"

namespace {

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
