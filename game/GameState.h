// The game state: the entity that is the game. It owns the assets' handles, spawns the other
// entities, keeps score, draws the HUD and runs the game-over menu.
#pragma once

#include <cstdint>
#include <list>

#include "Random.h"
#include "VantorEngine.h"
#include "VantorEntity.h"

class CPlayer;
class CShooter;
class CAmmoBox;
class CBullet;
class CEnemy;
class CFireball;

class CGameState final : public CVantorEntity {
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
    // The image handles; each animated sprite's frames stand next to each other in frame order.
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
