// The HUD: rows of life and ammunition icons from the left, score and high score right-aligned.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <utility>

#include "GameTestSupport.h"
#include "Player.h"
#include "Shooter.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

struct Placed {
    std::string image;
    float x;
    float y;
    bool operator==(const Placed&) const = default;
};

void PrintTo(const Placed& placed, std::ostream* out)
{
    *out << placed.image << " at (" << placed.x << ", " << placed.y << ")";
}

}  // namespace

class Hud : public GameTest {
protected:
    // The HUD sprites in their list order, with image and position.
    std::vector<Placed> Shown() const
    {
        std::vector<Placed> shown;
        for (CVantorSprite* sprite : game->hudSprites) {
            const RecordedSprite* fake = host.Sprite(sprite);
            EXPECT_TRUE(fake->alive);
            shown.push_back({host.ImageOf(*fake), fake->x, fake->y});
        }
        return shown;
    }

    std::vector<Placed> Row(float y) const
    {
        std::vector<Placed> row;
        for (const Placed& placed : Shown()) {
            if (placed.y == y) {
                row.push_back(placed);
            }
        }
        return row;
    }

    static std::string Digit(int d) { return "images\\" + std::to_string(d) + ".bmp"; }
};

TEST_F(Hud, AtTheStartShowsThreeLivesThreeShotsAndTwoZeros)
{
    Start();
    EXPECT_THAT(Shown(), ElementsAre(Placed{"images\\Hiro.bmp", 16, 16}, Placed{"images\\Hiro.bmp", 51, 16},
                                     Placed{"images\\Hiro.bmp", 86, 16}, Placed{"images\\Bullet.bmp", 16, 48},
                                     Placed{"images\\Bullet.bmp", 48, 48}, Placed{"images\\Bullet.bmp", 80, 48},
                                     Placed{Digit(0), 607, 16}, Placed{Digit(0), 607, 50}));
}

TEST_F(Hud, NumbersAreRightAlignedDigitByDigit)
{
    Start();
    game->score = 90215;
    game->highScore = 2147483647;
    game->RebuildHud();

    EXPECT_THAT(Row(16.0f), ElementsAre(Placed{"images\\Hiro.bmp", 16, 16}, Placed{"images\\Hiro.bmp", 51, 16},
                                        Placed{"images\\Hiro.bmp", 86, 16}, Placed{Digit(9), 475, 16},
                                        Placed{Digit(0), 508, 16}, Placed{Digit(2), 541, 16},
                                        Placed{Digit(1), 574, 16}, Placed{Digit(5), 607, 16}));
    std::vector<Placed> high;
    const std::string text = "2147483647";
    for (std::size_t i = 0; i < text.size(); ++i) {
        high.push_back({Digit(text[i] - '0'), 310.0f + 33.0f * static_cast<float>(i), 50});
    }
    EXPECT_THAT(Row(50.0f), ElementsAreArray(high));
}

TEST_F(Hud, EmptyRowsForNoLivesAndNoAmmunition)
{
    Start();
    game->player->lives = -1;
    game->shooter->ammo = 0;
    game->RebuildHud();
    EXPECT_THAT(Shown(), ElementsAre(Placed{Digit(0), 607, 16}, Placed{Digit(0), 607, 50}));
}

TEST_F(Hud, LongRowsJustContinue)
{
    Start();
    game->shooter->ammo = 25;
    game->RebuildHud();
    const std::vector<Placed> ammo = Row(48.0f);
    ASSERT_EQ(ammo.size(), 25u);
    EXPECT_EQ(ammo.back().x, 16.0f + 24 * 32.0f);
}

// A foreign file may hold any value; the HUD has digits 0 to 9 only.
TEST_F(Hud, NegativeHighScoreShowsAsZeroAndStaysAsRead)
{
    WriteBytes("highscore", {0x00, 0x00, 0x00, 0x80});   // the most negative value
    Start();
    EXPECT_EQ(game->highScore, INT32_MIN);
    EXPECT_THAT(Row(50.0f), ElementsAre(Placed{Digit(0), 607, 50}));
}

TEST_F(Hud, FailedDigitImageIsPassedOnAsItsHandle)
{
    host.FailLoad("images\\7.bmp");
    Start();
    game->score = 77;
    game->RebuildHud();
    const auto row = Row(16.0f);
    ASSERT_EQ(row.size(), 5u);
    EXPECT_EQ(row[3].image, "");   // drawn as nothing by the host
    const RecordedSprite* fake = host.Sprite(game->hudSprites.back());
    EXPECT_EQ(fake->frames, std::vector<int>{game->imgDigits[0]});
    const RecordedSprite* seven = host.Sprite(*std::next(game->hudSprites.begin(), 6));
    EXPECT_EQ(seven->frames, std::vector<int>{game->imgDigits[7]});
    EXPECT_LT(seven->frames.front(), 0);
}

TEST_F(Hud, RebuildDestroysEveryEarlierSprite)
{
    Start();
    const std::list<CVantorSprite*> before = game->hudSprites;
    game->score = 1234;
    game->shooter->ammo = 5;
    game->RebuildHud();

    for (CVantorSprite* old : before) {
        EXPECT_FALSE(host.Sprite(old)->alive);
    }
    EXPECT_EQ(game->hudSprites.size(), 3u + 5u + 4u + 1u);
    // Nothing of the HUD is alive but the listed sprites. HUD sprites have one frame; the demon,
    // whose random start can fall on a HUD row, has two.
    std::size_t liveHud = 0;
    for (RecordedSprite* sprite : host.LiveSprites()) {
        const bool onHudRow = sprite->y == 16.0f || sprite->y == 48.0f || sprite->y == 50.0f;
        liveHud += onHudRow && sprite->frames.size() == 1 ? 1 : 0;
    }
    EXPECT_EQ(liveHud, game->hudSprites.size());
}
