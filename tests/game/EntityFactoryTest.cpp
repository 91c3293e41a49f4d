// The factory's class table and the fields it sets.
#include "EntityFactory.h"

#include <gtest/gtest.h>

#include "AmmoBox.h"
#include "Bullet.h"
#include "Enemy.h"
#include "Fireball.h"
#include "GameState.h"
#include "Player.h"
#include "Shooter.h"

namespace {

template <typename T>
T* MakeAs(const char* name)
{
    CVantorEntity* entity = CreateEntityByName(name);
    return dynamic_cast<T*>(entity);
}

}  // namespace

TEST(EntityFactory, EveryClassNameMakesANewObjectOfItsClass)
{
    std::unique_ptr<CGameState> a(MakeAs<CGameState>("GameState"));
    std::unique_ptr<CGameState> b(MakeAs<CGameState>("GameState"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a.get(), b.get());
    EXPECT_NE(std::unique_ptr<CBullet>(MakeAs<CBullet>("Bullet")), nullptr);
    EXPECT_NE(std::unique_ptr<CFireball>(MakeAs<CFireball>("Fireball")), nullptr);
    EXPECT_NE(std::unique_ptr<CEnemy>(MakeAs<CEnemy>("Enemy")), nullptr);
    EXPECT_NE(std::unique_ptr<CAmmoBox>(MakeAs<CAmmoBox>("AmmoBox")), nullptr);
    EXPECT_NE(std::unique_ptr<CPlayer>(MakeAs<CPlayer>("Player")), nullptr);
    EXPECT_NE(std::unique_ptr<CShooter>(MakeAs<CShooter>("Shooter")), nullptr);
}

TEST(EntityFactory, NamesOutsideTheTableMakeNothing)
{
    for (const char* name : {"gamestate", "Player ", " Player", "", "Demon", "PlayerX", "PLAYER"}) {
        EXPECT_EQ(CreateEntityByName(name), nullptr) << '"' << name << '"';
    }
    EXPECT_EQ(CreateEntityByName(nullptr), nullptr);
}
