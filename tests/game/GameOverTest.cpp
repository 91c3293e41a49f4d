// The end of a game: the menu screen over the frozen game, and the high score saved to
// "highscore", also when the working directory does not let it be written.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>

#include "GameTestSupport.h"
#include "HighScoreFile.h"

using ::testing::ElementsAre;

class GameOver : public GameTest {
protected:
    void SetUp() override
    {
        Start();
        ASSERT_TRUE(host.attachResult);
    }

    // Makes the working directory refuse new files: by taking its write permission, or, where
    // that does not stop this process (root ignores it), by putting a directory where the save's
    // temporary file would go.
    // Takes write permission from the directory; false where that stops nothing (root, Windows),
    // and the test then puts its own obstacle in the save's way.
    bool WriteProtectDirectory()
    {
        namespace fs = std::filesystem;
        fs::permissions(directory.Path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        if (std::FILE* probe = std::fopen("probe", "wb")) {
            std::fclose(probe);
            std::remove("probe");
            fs::permissions(directory.Path(), fs::perms::owner_write, fs::perm_options::add);
            return false;
        }
        return true;
    }
};

TEST_F(GameOver, ShowsTheMenuOverTheFrozenGameWithRetrySelected)
{
    const std::size_t before = host.LiveSprites().size();
    game->menuChoice = 1;
    game->menuCooldown = 0.15f;
    host.ClearCalls();
    game->ShowGameOver();

    EXPECT_FALSE(game->playing);
    EXPECT_EQ(game->menuChoice, 0);
    EXPECT_EQ(game->menuCooldown, 0.15f);   // a leftover lock runs out in this menu
    EXPECT_THAT(host.CallsStartingWith("CreateSprite"),
                ElementsAre(::testing::HasSubstr(" 1 images\\GameOver.bmp"), ::testing::HasSubstr(" 1 images\\Retry.bmp"),
                            ::testing::HasSubstr(" 1 images\\Quit.bmp"), ::testing::HasSubstr(" 1 images\\Arrow.bmp")));
    struct Expected {
        CVantorSprite* sprite;
        float x;
        float y;
    };
    for (const Expected& e : {Expected{game->gameOverSprite, 320, 140}, Expected{game->retrySprite, 320, 268},
                              Expected{game->quitSprite, 320, 352}, Expected{game->arrowSprite, 120, 268}}) {
        const RecordedSprite* sprite = host.Sprite(e.sprite);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->x, e.x);
        EXPECT_EQ(sprite->y, e.y);
    }
    // Each is placed right after it is made.
    for (std::size_t i = 0; i + 1 < host.calls.size(); ++i) {
        if (host.calls[i].rfind("CreateSprite", 0) == 0) {
            EXPECT_EQ(host.calls[i + 1].rfind("SetPosition", 0), 0u) << host.calls[i];
        }
    }
    // The HUD, the background and the entities stay on screen.
    EXPECT_EQ(host.LiveSprites().size(), before + 4);
    EXPECT_THAT(host.CallsStartingWith("DestroySprite"), ::testing::IsEmpty());
}

TEST_F(GameOver, ASecondCallChangesNothing)
{
    game->ShowGameOver();
    const std::size_t sprites = host.AllSprites().size();
    game->ShowGameOver();
    EXPECT_EQ(host.AllSprites().size(), sprites);
}

TEST_F(GameOver, SavesTheHighScoreAsFourLittleEndianBytes)
{
    game->highScore = 250;
    EndGame();
    EXPECT_THAT(ReadBytes("highscore"), ElementsAre(0xFA, 0x00, 0x00, 0x00));
    EXPECT_THAT(directory.Entries(), ElementsAre("highscore"));
}

TEST_F(GameOver, AWriteProtectedDirectoryShowsTheMenuAndKeepsTheOldFile)
{
    WriteBytes("highscore", {0x64, 0x00, 0x00, 0x00});
    if (!WriteProtectDirectory()) {
        // A file marked read-only is kept from every user.
        std::filesystem::permissions("highscore", std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                                      std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    game->highScore = 250;
    EndGame();
    EXPECT_FALSE(game->playing);
    EXPECT_NE(host.Sprite(game->arrowSprite), nullptr);
    EXPECT_THAT(ReadBytes("highscore"), ElementsAre(0x64, 0x00, 0x00, 0x00));
    EXPECT_TRUE(host.posted.empty());

    // The better score lived in memory only: a Retry reads the file's value back.
    host.Post("enter");
    game->Update();
    EXPECT_TRUE(game->playing);
    EXPECT_EQ(game->highScore, 100);
}

TEST_F(GameOver, WithoutAFileAFailedSaveGivesZeroOnRetry)
{
    if (!WriteProtectDirectory()) {
        std::filesystem::create_directory("highscore");   // not a file, so never replaced
    }
    game->highScore = 250;
    EndGame();
    EXPECT_FALSE(std::filesystem::is_regular_file("highscore"));
    host.Post("enter");
    game->Update();
    EXPECT_EQ(game->highScore, 0);
}
