// The software renderer: sprites centred on their position, in creation order, mirrored,
// keyed and blended; pause dimming; nothing drawn (and nothing broken) off screen.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/GraphicsService.h"
#include "engine/SoftwareRenderer.h"
#include "TestFiles.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kMagenta = 0xFFFF00FFu;
constexpr uint32_t kBlack = 0xFF000000u;

uint32_t At(const Bitmap& canvas, int x, int y)
{
    return canvas.pixels[static_cast<std::size_t>(y * canvas.width + x)];
}

class SoftwareRendererTest : public ::testing::Test {
protected:
    SoftwareRendererTest() : graphics(data.Path())
    {
        WriteBytes(data.Path() / "images" / "Pair.bmp", MakeBmp(2, 1, {kRed, kMagenta}, 24));
        WriteBytes(data.Path() / "images" / "Blue.bmp", MakeBmp(4, 4, std::vector<uint32_t>(16, kBlue), 24));
        WriteBytes(data.Path() / "images" / "Glass.bmp", MakeBmp(1, 1, {0x80FFFFFFu}, 32));
        pair = graphics.LoadImage("images\\Pair.bmp", 0);
        blue = graphics.LoadBackgroundImage("images\\Blue.bmp");
        glass = graphics.LoadImage("images\\Glass.bmp", 0);
    }

    CTempDirectory data;
    CGraphicsService graphics;
    CSoftwareRenderer renderer;
    int pair = -1;
    int blue = -1;
    int glass = -1;
};

TEST_F(SoftwareRendererTest, DrawsSpritesCentredInCreationOrderWithKeyAndMirror)
{
    graphics.CreateSprite(1, &blue)->SetPosition(10.0f, 10.0f);         // covers 8..11
    CVantorSprite* front = graphics.CreateSprite(1, &pair);
    front->SetPosition(10.0f, 10.5f);                                   // covers x 9..10, y 10
    renderer.DrawScene(graphics);
    const Bitmap& canvas = renderer.Canvas();
    ASSERT_EQ(canvas.width, 640);
    ASSERT_EQ(canvas.height, 480);
    EXPECT_EQ(At(canvas, 7, 10), kBlack);
    EXPECT_EQ(At(canvas, 8, 8), kBlue);
    EXPECT_EQ(At(canvas, 9, 10), kRed);
    EXPECT_EQ(At(canvas, 10, 10), kBlue);   // magenta shows what lies behind

    front->SetMirrored(true);
    renderer.DrawScene(graphics);
    EXPECT_EQ(At(renderer.Canvas(), 9, 10), kBlue);
    EXPECT_EQ(At(renderer.Canvas(), 10, 10), kRed);
}

TEST_F(SoftwareRendererTest, BlendsHalfTransparentPixels)
{
    graphics.CreateSprite(1, &glass)->SetPosition(0.5f, 0.5f);
    renderer.DrawScene(graphics);
    EXPECT_EQ(At(renderer.Canvas(), 0, 0), 0xFF808080u);
}

TEST_F(SoftwareRendererTest, SpritesPartlyOrFarOffScreenOrWithoutImagesAreClippedOrSkipped)
{
    const int invalid = -5;
    graphics.CreateSprite(1, &blue)->SetPosition(639.0f, 479.0f);
    graphics.CreateSprite(1, &blue)->SetPosition(1000.0f, 1000.0f);
    graphics.CreateSprite(1, &blue)->SetPosition(-1.0e30f, 3.0e30f);
    graphics.CreateSprite(1, &blue)->SetPosition(std::nanf(""), 0.0f);
    graphics.CreateSprite(1, &invalid)->SetPosition(320.0f, 240.0f);
    graphics.CreateSprite(1, &pair)->SetFrame(3);
    renderer.DrawScene(graphics);
    EXPECT_EQ(At(renderer.Canvas(), 639, 479), kBlue);
    EXPECT_EQ(At(renderer.Canvas(), 320, 240), kBlack);
}

// The picture goes near the top, clear of the game-over menu in the middle.
TEST_F(SoftwareRendererTest, PauseDimsTheSceneAndShowsItsPictureAboveTheMenu)
{
    graphics.CreateSprite(1, &blue)->SetPosition(2.0f, 2.0f);
    renderer.DrawScene(graphics);
    const Bitmap* picture = &graphics.Image(pair)->bitmap;
    renderer.DrawPauseOverlay(picture);
    EXPECT_LT(At(renderer.Canvas(), 1, 1) & 0xFFu, 0xFFu);
    EXPECT_GT(At(renderer.Canvas(), 1, 1) & 0xFFu, 0u);
    EXPECT_EQ(At(renderer.Canvas(), 319, 56), kRed);
    EXPECT_NE(At(renderer.Canvas(), 319, 240), kRed);
}

// Scenes draw each loaded image through the runs found at load; they must give exactly what the
// plain per-pixel drawing of the same bitmap gives: mirrored or not, cut by any screen edge, with
// every alpha over a backdrop of every shade.
TEST_F(SoftwareRendererTest, DrawingThroughTheRunsFoundAtLoadMatchesPixelByPixelDrawing)
{
    constexpr int kSize = 23;
    std::vector<uint32_t> pixels;
    for (int i = 0; i < kSize * kSize; ++i) {
        const auto n = static_cast<uint32_t>(i);
        const uint32_t alpha = (n % 7 == 0) ? 0u : (n % 5 == 0) ? 255u : (n * 37u) % 256u;
        pixels.push_back(alpha << 24 | ((n * 91u) % 256u) << 16 | ((n * 13u) % 256u) << 8 | ((n * 201u) % 256u));
    }
    WriteBytes(data.Path() / "images" / "Mix.bmp", MakeBmp(kSize, kSize, pixels, 32));
    const int mix = graphics.LoadImage("images\\Mix.bmp", 0);
    const LoadedImage* image = graphics.Image(mix);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->runs.rowStart.size(), static_cast<std::size_t>(kSize) + 1);
    Bitmap backdrop;
    backdrop.width = kScreenWidth;
    backdrop.height = kScreenHeight;
    for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) {
        backdrop.pixels.push_back(0xFF000000u | static_cast<uint32_t>(i * 2654435761u) >> 8);
    }
    backdrop.opaque = true;
    const float places[][2] = {{100.0f, 100.0f}, {3.0f, 240.0f}, {636.0f, 240.0f}, {320.0f, 4.0f},
                               {320.0f, 477.0f}, {-5.0f, -5.0f}, {645.0f, 485.0f}};
    for (const auto& place : places) {
        for (bool mirrored : {false, true}) {
            SCOPED_TRACE(testing::Message() << place[0] << ", " << place[1] << (mirrored ? " mirrored" : ""));
            CSoftwareRenderer byRuns;
            CSoftwareRenderer byPixels;
            byRuns.DrawImage(backdrop, 320.0f, 240.0f, false);
            byPixels.DrawImage(backdrop, 320.0f, 240.0f, false);
            byRuns.DrawImage(*image, place[0], place[1], mirrored);
            byPixels.DrawImage(image->bitmap, place[0], place[1], mirrored);
            EXPECT_EQ(byRuns.Canvas().pixels, byPixels.Canvas().pixels);
        }
    }
}

}  // namespace
