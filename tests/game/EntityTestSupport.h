// Helpers shared by the entities' tests: a running game on the recording host with no demon about
// unless a test places one, and ways to look at what the host shows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AmmoBox.h"
#include "Bullet.h"
#include "Enemy.h"
#include "Fireball.h"
#include "GameTestSupport.h"
#include "Player.h"
#include "Shooter.h"

constexpr float kFrame60 = 1.0f / 60.0f;
constexpr const char* kJumpSound = "sounds\\jump.wav";
constexpr const char* kHurtSound = "sounds\\hurt.wav";
constexpr const char* kShootSound = "sounds\\shoot.wav";
constexpr const char* kAmmoUpSound = "sounds\\ammoup.wav";
constexpr const char* kExplosionSound = "sounds\\explosion.wav";
constexpr const char* kFireballSound = "sounds\\fireball.wav";
constexpr const char* kBulletImage = "images\\Bullet.bmp";
constexpr const char* kFireballImage = "images\\Fireball.bmp";
constexpr const char* kWordBubbleImage = "images\\WordBubble.bmp";
constexpr const char* kHiroImage = "images\\Hiro.bmp";

class EntityTest : public GameTest {
protected:
    void SetUp() override
    {
        Start();
        ASSERT_TRUE(host.attachResult);
    }

    // Sends the first demon away, stops new ones, and lets one frame pass, in which the player
    // lands on the floor.
    void Calm()
    {
        for (CEnemy* enemy : game->enemies) {
            enemy->pendingRemoval = true;
        }
        game->enemyTimer = 1.0e9f;
        host.RunFrame();
    }

    // A demon at a place and heading of the test's choosing; it fires only when told to.
    CEnemy* DemonAt(float x, float y, float directionX = 1.0f, float directionY = 0.0f,
                    float fireTime = 1.0e9f)
    {
        game->SpawnEnemy();
        CEnemy* demon = game->enemies.back();
        demon->x = x;
        demon->y = y;
        demon->directionX = directionX;
        demon->directionY = directionY;
        demon->fireTime = fireTime;
        demon->sprite->SetPosition(x, y);
        return demon;
    }

    // One entry of the action every frame, for a number of frames.
    void Hold(const std::string& action, int frames)
    {
        for (int i = 0; i < frames; ++i) {
            host.Push(action);
            host.RunFrame();
        }
    }

    RecordedSprite& SpriteOf(CVantorSprite* sprite) { return *host.Sprite(sprite); }
    RecordedSprite& PlayerSprite() { return SpriteOf(game->player->sprite); }
    RecordedSprite& ShooterSprite() { return SpriteOf(game->shooter->sprite); }

    int Played(const std::string& sound) const
    {
        return static_cast<int>(std::count(host.Played().begin(), host.Played().end(), sound));
    }

    // Live sprites showing an image in one row of the screen (the HUD's rows share images with
    // the entities: Hiro for lives, the bullet for ammunition).
    int CountInRow(const std::string& image, float y) const
    {
        int count = 0;
        for (RecordedSprite* sprite : host.LiveSpritesOf(image)) {
            count += sprite->y == y ? 1 : 0;
        }
        return count;
    }
    int LifeIcons() const { return CountInRow(kHiroImage, 16.0f); }
    int AmmoIcons() const { return CountInRow(kBulletImage, 48.0f); }

    // The number a HUD row of digit sprites shows, read from left to right ("" when empty).
    std::string DigitRow(float y) const
    {
        std::vector<RecordedSprite*> digits;
        for (RecordedSprite* sprite : host.LiveSprites()) {
            const std::string image = host.ImageOf(*sprite);
            if (sprite->y == y && image.size() == 12 && image.rfind("images\\", 0) == 0 &&
                image.substr(8) == ".bmp" && image[7] >= '0' && image[7] <= '9') {
                digits.push_back(sprite);
            }
        }
        std::sort(digits.begin(), digits.end(), [](RecordedSprite* a, RecordedSprite* b) { return a->x < b->x; });
        std::string text;
        for (RecordedSprite* sprite : digits) {
            text += host.ImageOf(*sprite)[7];
        }
        return text;
    }
    std::string ScoreRow() const { return DigitRow(16.0f); }
    std::string HighScoreRow() const { return DigitRow(50.0f); }
};
