// The game state: construction, set-up, HUD and the spawn operations.
#include "GameState.h"

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iterator>

#include "AmmoBox.h"
#include "Bullet.h"
#include "Enemy.h"
#include "Fireball.h"
#include "HighScoreFile.h"
#include "HudLayout.h"
#include "Player.h"
#include "Shooter.h"

namespace {

constexpr float kBackgroundX = 320.0f;
constexpr float kBackgroundY = 240.0f;

struct PathAndField {
    const char* path;
    int CGameState::*field;
};

// The image loads of Attach, in the order they happen (not the order of the fields).
constexpr PathAndField kImages[] = {
    {"images\\Demon.bmp", &CGameState::imgDemon},
    {"images\\Demon-chew.bmp", &CGameState::imgDemonChew},
    {"images\\Fireball.bmp", &CGameState::imgFireball},
    {"images\\Hiro.bmp", &CGameState::imgHiro},
    {"images\\Hiro-walk.bmp", &CGameState::imgHiroWalk},
    {"images\\Hiro-carry1.bmp", &CGameState::imgHiroCarry1},
    {"images\\Hiro-carry2.bmp", &CGameState::imgHiroCarry2},
    {"images\\AmmoBox.bmp", &CGameState::imgAmmoBox},
    {"images\\Shooter.bmp", &CGameState::imgShooter},
    {"images\\Shooter-fire.bmp", &CGameState::imgShooterFire},
    {"images\\Bullet.bmp", &CGameState::imgBullet},
    {"images\\WordBubble.bmp", &CGameState::imgWordBubble},
    {"images\\GameOver.bmp", &CGameState::imgGameOver},
    {"images\\Retry.bmp", &CGameState::imgRetry},
    {"images\\Quit.bmp", &CGameState::imgQuit},
    {"images\\Arrow.bmp", &CGameState::imgArrow},
};

constexpr PathAndField kSounds[] = {
    {"sounds\\ammoup.wav", &CGameState::sndAmmoUp},
    {"sounds\\explosion.wav", &CGameState::sndExplosion},
    {"sounds\\shoot.wav", &CGameState::sndShoot},
    {"sounds\\fireball.wav", &CGameState::sndFireball},
    {"sounds\\hurt.wav", &CGameState::sndHurt},
    {"sounds\\jump.wav", &CGameState::sndJump},
};

constexpr char kDigitPath[] = "images\\0.bmp";
constexpr int kDigitIndex = 7;  // the character after the backslash

}  // namespace

CGameState::CGameState()
    : leftAmmoBoxTimer(0.0f), rightAmmoBoxTimer(0.0f), fullscreen(false), menuCooldown(0.0f),
      awaitingQuit(false)
{
}

bool CGameState::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    CVantorGraphics* graphics = engine->GetGraphics();
    CVantorSound* sound = engine->GetSound();

    imgBackground = graphics->LoadBackgroundImage("images\\Background.bmp");
    if (imgBackground < 0) {
        return false;
    }
    for (const PathAndField& image : kImages) {
        this->*image.field = graphics->LoadImage(image.path, 0);
        if (this->*image.field < 0) {
            return false;
        }
    }
    // A missing digit is no failure: its slot keeps the negative handle.
    char digitPath[sizeof kDigitPath];
    for (int d = 0; d < 10; ++d) {
        std::copy(std::begin(kDigitPath), std::end(kDigitPath), digitPath);
        digitPath[kDigitIndex] = static_cast<char>('0' + d);
        imgDigits[d] = graphics->LoadImage(digitPath, 0);
    }
    for (const PathAndField& entry : kSounds) {
        this->*entry.field = sound->LoadSound(entry.path);
        if (this->*entry.field < 0) {
            return false;
        }
    }

    RemoveStaleHighScoreTemps(kHighScorePath);
    highScore = ReadHighScore(kHighScorePath);
    score = 0;

    backgroundSprite = graphics->CreateSprite(1, &imgBackground);
    backgroundSprite->SetPosition(kBackgroundX, kBackgroundY);

    player = static_cast<CPlayer*>(engine->CreateEntity("Player"));
    player->Setup(this);
    shooter = static_cast<CShooter*>(engine->CreateEntity("Shooter"));
    shooter->Setup(this);
    leftAmmoBox = static_cast<CAmmoBox*>(engine->CreateEntity("AmmoBox"));
    leftAmmoBox->Setup(this, kLeftCornerX, kCornerY);
    rightAmmoBox = static_cast<CAmmoBox*>(engine->CreateEntity("AmmoBox"));
    rightAmmoBox->Setup(this, kRightCornerX, kCornerY);

    random.Seed(static_cast<uint32_t>(std::time(nullptr)));
    SpawnEnemy();
    enemyTimer = kDemonPeriod;
    playing = true;
    RebuildHud();
    return true;
}

namespace {

void AddIconRow(CGameState& state, int count, int* image, float step, float y)
{
    CVantorGraphics* graphics = state.engine->GetGraphics();
    float x = hud::kIconX;
    for (int i = 0; i < count; ++i) {
        CVantorSprite* sprite = graphics->CreateSprite(1, image);
        sprite->SetPosition(x, y);
        state.hudSprites.push_back(sprite);
        x += step;
    }
}

// A right-aligned row of digits; a negative number (only a foreign file can hold one) shows as 0.
void AddNumberRow(CGameState& state, int32_t value, float y)
{
    char text[11];
    const int length = std::snprintf(text, sizeof text, "%d", value < 0 ? 0 : static_cast<int>(value));
    CVantorGraphics* graphics = state.engine->GetGraphics();
    float x = hud::NumberRowX(length);
    for (int i = 0; i < length; ++i) {
        CVantorSprite* sprite = graphics->CreateSprite(1, &state.imgDigits[text[i] - '0']);
        sprite->SetPosition(x, y);
        state.hudSprites.push_back(sprite);
        x += hud::kDigitStep;
    }
}

}  // namespace

void CGameState::RebuildHud()
{
    CVantorGraphics* graphics = engine->GetGraphics();
    while (!hudSprites.empty()) {
        graphics->DestroySprite(hudSprites.front());
        hudSprites.pop_front();
    }
    AddIconRow(*this, player->lives, &imgHiro, hud::kLivesStep, hud::kLivesY);
    AddIconRow(*this, shooter->ammo, &imgBullet, hud::kAmmoStep, hud::kAmmoY);
    AddNumberRow(*this, score, hud::kScoreY);
    AddNumberRow(*this, highScore, hud::kHighScoreY);
}

void CGameState::SpawnEnemy()
{
    const int r1 = random.Next();
    const int r2 = random.Next();
    const int r3 = random.Next();
    const int r4 = random.Next();
    const float x = static_cast<float>(32 + 576 * r1 / CRandom::kMax);
    const float y = static_cast<float>(32 + 208 * r2 / CRandom::kMax);
    const float a = static_cast<float>(2.0 * r3 / CRandom::kMax - 1.0);
    const float b = static_cast<float>(2.0 * r4 / CRandom::kMax - 1.0);
    const float sum = a * a + b * b;
    const float length = std::sqrt(sum);
    CEnemy* enemy = static_cast<CEnemy*>(engine->CreateEntity("Enemy"));
    enemy->Setup(this, x, y, a / length, b / length);
    enemies.push_back(enemy);
}

void CGameState::SpawnBullet(float x, float y)
{
    CBullet* bullet = static_cast<CBullet*>(engine->CreateEntity("Bullet"));
    bullet->gameState = this;
    bullet->sprite = engine->GetGraphics()->CreateSprite(1, &imgBullet);
    bullet->x = x;
    bullet->y = y;
    bullet->sprite->SetPosition(x, y);
    bullets.push_back(bullet);
    bulletSpots.Add(bullet, x, y);
}

void CGameState::SpawnFireball(float x, float y)
{
    CFireball* fireball = static_cast<CFireball*>(engine->CreateEntity("Fireball"));
    fireball->gameState = this;
    fireball->sprite = engine->GetGraphics()->CreateSprite(1, &imgFireball);
    fireball->x = x;
    fireball->y = y;
    fireball->sprite->SetPosition(x, y);
    fireballs.push_back(fireball);
}
