// What the host draws over the game leaves the game's own words readable: the pause picture,
// shown over a finished game (a lost focus there is common), stays clear of the game-over title
// and menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/GraphicsService.h"
#include "formats/BmpCodec.h"
#include "Json.h"
#include "RunVantor.h"
#include "TestFiles.h"

TEST(OverlayEndToEndTest, ThePausePictureStaysClearOfTheGameOverTitleAndMenu)
{
    // Standing still, the game is lost well within 2,900 frames; then P pauses the menu.
    CTempDirectory work;
    const RunResult run = RunVantor(work, "2995 down P\n2996 up P\n",
                                    "--headless --input input.txt --frames 3000 --trace trace.jsonl "
                                    "--screenshot 2990:over.bmp --screenshot 2999:paused.bmp");
    ASSERT_EQ(run.status, 0) << run.errors;

    // The top of the game-over words, as the game placed them.
    const JsonValue frame = run.Frame(2999);
    double wordsTop = 480.0;
    for (const JsonValue& sprite : frame["sprites"].items) {
        const std::string image = sprite["image"].IsNull() ? "" : sprite["image"].text;
        for (const char* word : {"GameOver", "Retry", "Quit", "Arrow"}) {
            if (image == std::string("images/") + word + ".bmp") {
                Bitmap picture;
                std::string error;
                ASSERT_TRUE(CGraphicsService::LoadBitmapFile(std::filesystem::path(VANTOR_DATA_DIR) / image, false,
                                                             picture, error)) << error;
                // The first row the words really cover, not the transparent margin above them.
                int firstRow = 0;
                while (firstRow < picture.height &&
                       std::none_of(picture.pixels.begin() + firstRow * picture.width,
                                    picture.pixels.begin() + (firstRow + 1) * picture.width,
                                    [](std::uint32_t pixel) { return (pixel >> 24) != 0; })) {
                    ++firstRow;
                }
                wordsTop = std::min(wordsTop, sprite["y"].number - picture.height / 2.0 + firstRow);
            }
        }
    }
    ASSERT_LT(wordsTop, 200.0) << "the game never showed its game-over menu";

    // Every row the pause picture changed, beyond dimming, lies above them.
    const Bitmap over = ReadShot(work, "over.bmp");
    const Bitmap paused = ReadShot(work, "paused.bmp");
    ASSERT_EQ(over.pixels.size(), paused.pixels.size());
    int lowestChanged = -1;
    for (int y = 0; y < over.height; ++y) {
        for (int x = 0; x < over.width; ++x) {
            const std::uint32_t before = over.pixels[y * over.width + x];
            const std::uint32_t after = paused.pixels[y * over.width + x];
            for (int shift = 0; shift <= 16; shift += 8) {
                const int dimmed = static_cast<int>(((before >> shift) & 0xFFu) * 96 / 255);
                if (std::abs(dimmed - static_cast<int>((after >> shift) & 0xFFu)) > 1) {
                    lowestChanged = y;
                }
            }
        }
    }
    EXPECT_GT(lowestChanged, 0) << "no pause picture drawn";
    EXPECT_LT(lowestChanged, wordsTop);
}
