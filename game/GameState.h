// The game state: the entity that is the game. It owns the assets' handles, spawns the other
// entities, keeps score, draws the HUD and runs the game-over menu.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <type_traits>

#include "BulletSpots.h"
#include "Random.h"
#include "VantorEngine.h"
#include "VantorEntity.h"

class CPlayer;
class CShooter;
class CAmmoBox;
class CBullet;
class CEnemy;
class CFireball;

// The image handles. A sprite's frame table is a pointer to the handle of its frame 0, and the
// host reads frame n from the int n places after it, so each animated sprite's handles must be
// consecutive ints in frame order: four from imgHiro, two from imgShooter, two from imgDemon.
// They sit in a standard-layout base of the game state, where that layout can be checked.
struct GameImageHandles {
    int imgHiro;
    int imgHiroWalk;
    int imgHiroCarry1;
    int imgHiroCarry2;
    int imgShooter;
    int imgShooterFire;
    int imgAmmoBox;
    int imgDemon;
    int imgDemonChew;
    int imgBullet;
    int imgFireball;
    int imgBackground;
    int imgGameOver;
    int imgRetry;
    int imgQuit;
    int imgArrow;
    int imgWordBubble;
    int imgDigits[10];
};

static_assert(std::is_standard_layout_v<GameImageHandles>);
static_assert(offsetof(GameImageHandles, imgHiroWalk) == offsetof(GameImageHandles, imgHiro) + sizeof(int));
static_assert(offsetof(GameImageHandles, imgHiroCarry1) == offsetof(GameImageHandles, imgHiroWalk) + sizeof(int));
static_assert(offsetof(GameImageHandles, imgHiroCarry2) == offsetof(GameImageHandles, imgHiroCarry1) + sizeof(int));
static_assert(offsetof(GameImageHandles, imgShooterFire) == offsetof(GameImageHandles, imgShooter) + sizeof(int));
static_assert(offsetof(GameImageHandles, imgDemonChew) == offsetof(GameImageHandles, imgDemon) + sizeof(int));

// The entity interface is the first base, so the entity the host holds starts where the object does.
class CGameState final : public CVantorEntity, public GameImageHandles {
public:
    // Where the two corner boxes lie, and how often a demon arrives during play.
    static constexpr float kLeftCornerX = 16.0f;
    static constexpr float kRightCornerX = 624.0f;
    static constexpr float kCornerY = 464.0f;
    static constexpr float kDemonPeriod = 3.0f;

    CGameState();

    bool Attach(CVantorEngine* engine) override;
    void Update() override;

    // Throws the HUD away and builds it again from lives, ammunition, score and high score.
    void RebuildHud();
    // Ends the running game: shows the menu with Retry selected and saves the high score.
    void ShowGameOver();
    // Tears the old game down before the Attach that starts a new one.
    void Restart();

    void SpawnEnemy();
    void SpawnBullet(float x, float y);
    void SpawnFireball(float x, float y);

    CVantorEngine* engine;
    int sndAmmoUp;
    int sndExplosion;
    int sndFireball;
    int sndHurt;
    int sndJump;
    int sndShoot;
    CVantorSprite* backgroundSprite;
    CVantorSprite* gameOverSprite;
    CVantorSprite* retrySprite;
    CVantorSprite* quitSprite;
    CVantorSprite* arrowSprite;
    std::list<CVantorSprite*> hudSprites;
    CPlayer* player;
    CShooter* shooter;
    CAmmoBox* leftAmmoBox;               // null while the corner is empty
    CAmmoBox* rightAmmoBox;
    std::list<CBullet*> bullets;         // oldest first; the lists own no entity
    CBulletSpots bulletSpots;            // the bullets' positions, in the same order
    std::list<CEnemy*> enemies;
    std::list<CFireball*> fireballs;
    float leftAmmoBoxTimer;              // > 0: the corner waits for a new box
    float rightAmmoBoxTimer;
    float enemyTimer;
    int32_t score;
    int32_t highScore;
    bool fullscreen;
    bool playing;                        // false while the game-over menu is shown
    int32_t menuChoice;                  // 0 = Retry, anything else = Quit
    float menuCooldown;

    bool awaitingQuit;                   // a Retry failed: no game, no menu, "quit" is posted
    CRandom random;                      // every random draw of the game, seeded by Attach
};
