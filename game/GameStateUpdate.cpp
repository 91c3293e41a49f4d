// The game state's frame: fullscreen toggles, the corner and demon timers while a game runs, the
// game-over menu with Retry and Quit, the restart, and the end of a game with the high-score save.
#include "GameState.h"

#include <cstring>

#include "AmmoBox.h"
#include "Bullet.h"
#include "Enemy.h"
#include "Fireball.h"
#include "GameRules.h"
#include "HighScoreFile.h"
#include "Player.h"
#include "Shooter.h"

namespace {

constexpr float kMenuLock = 0.2f;   // one menu move per this long, also within one frame

// The game-over screen.
constexpr float kScreenCentreX = 320.0f;
constexpr float kGameOverY = 140.0f;
constexpr float kRetryY = 268.0f;
constexpr float kQuitY = 352.0f;
constexpr float kArrowX = 120.0f;
constexpr int32_t kRetry = 0;
constexpr int32_t kQuit = 1;

bool IsMenuMove(const ActionRecord& action)
{
    return Named(action, "up") || Named(action, "stickUp") || Named(action, "down") ||
           Named(action, "stickDown");
}

bool IsMenuSelect(const ActionRecord& action)
{
    return Named(action, "enter") || Named(action, "gamepadA");
}

// Counts a corner's timer down; when it runs out with the corner empty, a new box is put there.
void RunCornerTimer(CGameState& state, float& timer, CAmmoBox*& corner, float x, float dt)
{
    if (timer <= 0.0f) {
        return;
    }
    timer -= dt;
    if (timer <= 0.0f && corner == nullptr) {
        corner = static_cast<CAmmoBox*>(state.engine->CreateEntity("AmmoBox"));
        corner->Setup(&state, x, CGameState::kCornerY);
    }
}

}  // namespace

void CGameState::Update()
{
    const float dt = ClampedFrameTime(engine);

    std::list<ActionRecord>& actions = engine->GetActions();
    for (auto it = actions.begin(); it != actions.end();) {
        if (Named(*it, "fullscreen-toggle")) {
            fullscreen = !fullscreen;
            engine->GetGraphics()->SetFullscreen(fullscreen);
            it = actions.erase(it);
        } else {
            ++it;
        }
    }

    if (playing) {
        RunCornerTimer(*this, leftAmmoBoxTimer, leftAmmoBox, kLeftCornerX, dt);
        RunCornerTimer(*this, rightAmmoBoxTimer, rightAmmoBox, kRightCornerX, dt);
        if (enemyTimer > 0.0f) {
            enemyTimer -= dt;
            if (enemyTimer <= 0.0f) {
                SpawnEnemy();
                enemyTimer = kDemonPeriod;   // the leftover below zero is dropped
            }
        }
        return;
    }

    // After a failed Retry there is no menu left to drive; the host is to end the program.
    if (awaitingQuit) {
        return;
    }
    if (menuCooldown > 0.0f) {
        menuCooldown -= dt;
    }
    std::list<ActionRecord>& queue = engine->GetActions();
    for (auto it = queue.begin(); it != queue.end();) {
        if (menuCooldown <= 0.0f && IsMenuMove(*it)) {
            menuChoice = menuChoice == kRetry ? kQuit : kRetry;
            menuCooldown = kMenuLock;
            arrowSprite->SetPosition(kArrowX, menuChoice == kRetry ? kRetryY : kQuitY);
            it = queue.erase(it);
        } else if (IsMenuSelect(*it)) {
            if (menuChoice == kRetry) {
                Restart();
                if (!Attach(engine)) {
                    engine->PostAction("quit");
                    awaitingQuit = true;
                }
            } else {
                engine->PostAction("quit");
            }
            queue.erase(it);
            // The selection is carried out: what follows in the queue is no longer menu input
            // (the arrow may be gone, a second Retry would tear down the new game). It stays
            // queued for the others.
            return;
        } else {
            ++it;
        }
    }
}

void CGameState::Restart()
{
    CVantorGraphics* graphics = engine->GetGraphics();
    graphics->UnloadImages();
    engine->GetSound()->UnloadSounds();

    for (CVantorSprite* sprite : {backgroundSprite, gameOverSprite, retrySprite, quitSprite, arrowSprite}) {
        graphics->DestroySprite(sprite);
    }
    while (!hudSprites.empty()) {
        graphics->DestroySprite(hudSprites.front());
        hudSprites.pop_front();
    }

    // Every entity of the old game ends itself in its next update.
    player->pendingRemoval = true;
    shooter->pendingRemoval = true;
    if (leftAmmoBox != nullptr) {
        leftAmmoBox->pendingRemoval = true;
    }
    if (rightAmmoBox != nullptr) {
        rightAmmoBox->pendingRemoval = true;
    }
    while (!bullets.empty()) {
        bullets.front()->pendingRemoval = true;
        bullets.pop_front();
    }
    bulletSpots.Clear();
    while (!enemies.empty()) {
        enemies.front()->pendingRemoval = true;
        enemies.pop_front();
    }
    while (!fireballs.empty()) {
        fireballs.front()->pendingRemoval = true;
        fireballs.pop_front();
    }
}

void CGameState::ShowGameOver()
{
    // A second call would pile a second menu on the first one and lose its sprites.
    if (!playing) {
        return;
    }
    playing = false;
    CVantorGraphics* graphics = engine->GetGraphics();
    gameOverSprite = graphics->CreateSprite(1, &imgGameOver);
    gameOverSprite->SetPosition(kScreenCentreX, kGameOverY);
    retrySprite = graphics->CreateSprite(1, &imgRetry);
    retrySprite->SetPosition(kScreenCentreX, kRetryY);
    quitSprite = graphics->CreateSprite(1, &imgQuit);
    quitSprite->SetPosition(kScreenCentreX, kQuitY);
    arrowSprite = graphics->CreateSprite(1, &imgArrow);
    arrowSprite->SetPosition(kArrowX, kRetryY);
    // A failed save is silent: the menu shows all the same and the old file stays as it was.
    WriteHighScore(kHighScorePath, highScore);
    menuChoice = kRetry;
}
