// The factory's class table and the fields it sets.
#include "EntityFactory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

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

TEST(EntityFactory, ShortLivedEntitiesStartWithoutSpriteAndNotFlagged)
{
    std::unique_ptr<CBullet> bullet(MakeAs<CBullet>("Bullet"));
    std::unique_ptr<CFireball> fireball(MakeAs<CFireball>("Fireball"));
    std::unique_ptr<CEnemy> enemy(MakeAs<CEnemy>("Enemy"));
    EXPECT_EQ(bullet->sprite, nullptr);
    EXPECT_FALSE(bullet->pendingRemoval);
    EXPECT_EQ(fireball->sprite, nullptr);
    EXPECT_FALSE(fireball->pendingRemoval);
    EXPECT_EQ(enemy->sprite, nullptr);
    EXPECT_FALSE(enemy->pendingRemoval);
}

namespace {

// Attach of a game entity stores the engine and leaves every other byte of the object alone.
template <typename T>
void ExpectAttachTouchesOnlyEngine(const char* name)
{
    std::unique_ptr<T> entity(MakeAs<T>(name));
    ASSERT_NE(entity, nullptr) << name;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(entity.get());
    std::memset(bytes + sizeof(void*), 0xA5, sizeof(T) - sizeof(void*));   // all but the vtable
    std::vector<unsigned char> before(bytes, bytes + sizeof(T));

    auto* engine = reinterpret_cast<CVantorEngine*>(&before);   // any distinct address will do
    EXPECT_TRUE(entity->Attach(engine)) << name;
    EXPECT_EQ(entity->engine, engine) << name;

    const std::size_t engineAt = static_cast<std::size_t>(reinterpret_cast<unsigned char*>(&entity->engine) - bytes);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        if (i < engineAt || i >= engineAt + sizeof entity->engine) {
            EXPECT_EQ(bytes[i], before[i]) << name << " byte " << i;
        }
    }
}

}  // namespace

TEST(EntityFactory, SharedAttachStoresTheEngineAndNothingElse)
{
    ExpectAttachTouchesOnlyEngine<CBullet>("Bullet");
    ExpectAttachTouchesOnlyEngine<CFireball>("Fireball");
    ExpectAttachTouchesOnlyEngine<CEnemy>("Enemy");
    ExpectAttachTouchesOnlyEngine<CAmmoBox>("AmmoBox");
    ExpectAttachTouchesOnlyEngine<CPlayer>("Player");
    ExpectAttachTouchesOnlyEngine<CShooter>("Shooter");
}
