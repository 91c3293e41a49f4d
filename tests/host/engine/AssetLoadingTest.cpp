// Loading images and sounds by handle: path mapping, colour key and alpha, sprites and their
// handles across an unload, and damaged files that must fail cleanly rather than crash.
#include <gtest/gtest.h>

#include <random>

#include "formats/BmpCodec.h"
#include "engine/GraphicsService.h"
#include "engine/SoundService.h"
#include "TestFiles.h"
#include "formats/WavCodec.h"

namespace {

constexpr uint32_t kMagenta = 0xFFFF00FFu;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kHalfGreen = 0x8000FF00u;

class AssetLoadingTest : public ::testing::Test {
protected:
    AssetLoadingTest() : graphics(data.Path()), sound(data.Path(), silence)
    {
        graphics.SetLoadReporter([this](const std::string& m) { reports.push_back(m); });
        sound.SetLoadReporter([this](const std::string& m) { reports.push_back(m); });
        WriteBytes(data.Path() / "images" / "Key.bmp", MakeBmp(2, 1, {kMagenta, kRed}, 24));
        WriteBytes(data.Path() / "images" / "Alpha.bmp", MakeBmp(2, 1, {kHalfGreen, 0x00000000u}, 32));
        WriteBytes(data.Path() / "sounds" / "jump.wav", MakeWav(1, 22050, {0, 1000, -1000, 0}));
    }

    CTempDirectory data;
    CSilentSoundOutput silence;
    CGraphicsService graphics;
    CSoundService sound;
    std::vector<std::string> reports;
};

TEST_F(AssetLoadingTest, BackslashPathsLoadFromTheDataDirectoryWithTheirOwnKindOfTransparency)
{
    const int keyed = graphics.LoadImage("images\\Key.bmp", 0);
    const int alpha = graphics.LoadImage("images/Alpha.bmp", 0);
    const int background = graphics.LoadBackgroundImage("images\\Key.bmp");
    ASSERT_GE(keyed, 0);
    ASSERT_GE(alpha, 0);
    ASSERT_GE(background, 0);
    EXPECT_NE(keyed, background);
    EXPECT_EQ(graphics.Image(keyed)->name, "images/Key.bmp");
    EXPECT_EQ(graphics.Image(keyed)->bitmap.pixels, (std::vector<uint32_t>{0x00FF00FFu, kRed}));
    EXPECT_EQ(graphics.Image(alpha)->bitmap.pixels, (std::vector<uint32_t>{kHalfGreen, 0}));
    EXPECT_EQ(graphics.Image(background)->bitmap.pixels, (std::vector<uint32_t>{kMagenta, kRed}));
    EXPECT_TRUE(reports.empty());
}

TEST_F(AssetLoadingTest, AThirtyTwoBitImageWithoutAlphaIsOpaqueWithTheColourKey)
{
    WriteBytes(data.Path() / "images" / "NoAlpha.bmp",
               MakeBmp(2, 1, {0x00FF00FFu, 0x00112233u}, 32));
    const int handle = graphics.LoadImage("images\\NoAlpha.bmp", 0);
    ASSERT_GE(handle, 0);
    EXPECT_EQ(graphics.Image(handle)->bitmap.pixels, (std::vector<uint32_t>{0x00FF00FFu, 0xFF112233u}));
}

TEST_F(AssetLoadingTest, MissingEscapingAndNullPathsFailWithAMessageNamingTheFile)
{
    EXPECT_LT(graphics.LoadImage("images\\Arrow.bmp", 0), 0);
    EXPECT_LT(graphics.LoadImage("..\\secret.bmp", 0), 0);
    EXPECT_LT(graphics.LoadImage("/etc/passwd", 0), 0);
    EXPECT_LT(graphics.LoadImage(nullptr, 0), 0);
    EXPECT_LT(sound.LoadSound("sounds\\missing.wav"), 0);
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_NE(reports[0].find("images/Arrow.bmp"), std::string::npos);
    EXPECT_NE(reports[0].find("file not found"), std::string::npos);
    EXPECT_NE(reports[1].find("leaves the data directory"), std::string::npos);
    EXPECT_NE(reports[4].find("sounds/missing.wav"), std::string::npos);
}

TEST_F(AssetLoadingTest, EveryCutOfAValidFileAndRandomDamageFailOrLoadButNeverCrash)
{
    const std::vector<uint8_t> bmp = MakeBmp(3, 3, std::vector<uint32_t>(9, kRed), 24);
    const std::vector<uint8_t> bmp32 = MakeBmp(3, 3, std::vector<uint32_t>(9, kHalfGreen), 32);
    const std::vector<uint8_t> wav = MakeWav(2, 44100, std::vector<int16_t>(64, 7));
    Bitmap bitmap;
    PcmSound pcm;
    std::string error;
    for (std::size_t length = 0; length < bmp.size(); ++length) {
        EXPECT_FALSE(DecodeBmp({bmp.begin(), bmp.begin() + static_cast<long>(length)}, bitmap, error))
            << length;
        EXPECT_FALSE(DecodeBmp({bmp32.begin(), bmp32.begin() + static_cast<long>(length)}, bitmap, error))
            << length;
    }
    for (std::size_t length = 0; length < wav.size(); ++length) {
        const bool loaded = DecodeWav({wav.begin(), wav.begin() + static_cast<long>(length)}, pcm, error);
        EXPECT_FALSE(loaded) << length;
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> damaged = round % 2 == 0 ? bmp : wav;
        for (int hits = 0; hits < 1 + round % 5; ++hits) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        if (round % 2 == 0) {
            if (DecodeBmp(damaged, bitmap, error)) {
                EXPECT_EQ(bitmap.pixels.size(), static_cast<std::size_t>(bitmap.width * bitmap.height));
            }
        } else if (DecodeWav(damaged, pcm, error)) {
            EXPECT_EQ(pcm.samples.size() % static_cast<std::size_t>(pcm.channels * pcm.bitsPerSample / 8), 0u);
        }
    }
    std::vector<uint8_t> garbage(4096);
    for (uint8_t& byte : garbage) {
        byte = static_cast<uint8_t>(random());
    }
    WriteBytes(data.Path() / "images" / "Garbage.bmp", garbage);
    WriteBytes(data.Path() / "sounds" / "cut.wav", {wav.begin(), wav.begin() + 50});
    EXPECT_LT(graphics.LoadImage("images\\Garbage.bmp", 0), 0);
    EXPECT_LT(sound.LoadSound("sounds\\cut.wav"), 0);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[0].find("not a BMP file"), std::string::npos);
    EXPECT_NE(reports[1].find("cut short"), std::string::npos);
}

// A header that claims width by height at the given depth (the pixels need not be there).
std::vector<uint8_t> ClaimedBmp(uint32_t width, uint32_t height, uint8_t bitsPerPixel)
{
    std::vector<uint8_t> bmp = MakeBmp(1, 1, {kRed}, 24);
    for (int i = 0; i < 4; ++i) {
        bmp[static_cast<std::size_t>(18 + i)] = static_cast<uint8_t>(width >> (8 * i));
        bmp[static_cast<std::size_t>(22 + i)] = static_cast<uint8_t>(height >> (8 * i));
    }
    bmp[28] = bitsPerPixel;
    return bmp;
}

TEST_F(AssetLoadingTest, HugeDimensionsAreRefusedBeforeAnyAllocationWithTheirSize)
{
    Bitmap bitmap;
    std::string error;
    EXPECT_FALSE(DecodeBmp(ClaimedBmp(0x7FFFFFFF, 1, 24), bitmap, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    // 8 MiB on disk as 1 bit a pixel, 256 MiB once decoded.
    EXPECT_FALSE(DecodeBmp(ClaimedBmp(16384, 4096, 1), bitmap, error));
    EXPECT_EQ(error.rfind("BMP of 16384 by 4096 pixels is too large", 0), 0u) << error;
    EXPECT_FALSE(DecodeBmp(ClaimedBmp(4097, 4097, 1), bitmap, error));
    EXPECT_FALSE(DecodeBmp(ClaimedBmp(8193, 1, 1), bitmap, error));
    // Long and thin is fine within the budget.
    std::vector<uint8_t> strip = ClaimedBmp(8192, 2, 24);
    strip.resize(strip.size() + 2 * 8192 * 3, 0x40);
    EXPECT_TRUE(DecodeBmp(strip, bitmap, error)) << error;
    EXPECT_EQ(bitmap.width, 8192);
}

TEST_F(AssetLoadingTest, ASoundLongerThanAMinuteIsRefused)
{
    std::vector<int16_t> samples(1000 * 61, 0);
    PcmSound pcm;
    std::string error;
    EXPECT_FALSE(DecodeWav(MakeWav(1, 1000, samples), pcm, error));
    EXPECT_EQ(error, "WAV sound is longer than 60 seconds");
    samples.resize(1000 * 60);
    EXPECT_TRUE(DecodeWav(MakeWav(1, 1000, samples), pcm, error)) << error;
}

TEST_F(AssetLoadingTest, SpritesKeepCreationOrderAndSurviveAnUnload)
{
    int frames[2] = {graphics.LoadImage("images\\Key.bmp", 0), graphics.LoadImage("images\\Alpha.bmp", 0)};
    int invalid = -1;
    CVantorSprite* first = graphics.CreateSprite(2, frames);
    CVantorSprite* second = graphics.CreateSprite(1, &invalid);
    CVantorSprite* third = graphics.CreateSprite(0, nullptr);
    first->SetFrame(1);
    first->SetPosition(10.0f, 20.0f);
    first->SetMirrored(true);
    frames[1] = 99;   // the sprite keeps the handles it was made with

    ASSERT_EQ(graphics.Sprites().size(), 3u);
    const CHostSprite& shown = graphics.Sprites().front();
    EXPECT_EQ(graphics.Image(shown.CurrentImage())->name, "images/Alpha.bmp");
    EXPECT_TRUE(shown.Mirrored());
    EXPECT_EQ(graphics.Image(std::next(graphics.Sprites().begin())->CurrentImage()), nullptr);
    first->SetFrame(7);
    EXPECT_EQ(shown.CurrentImage(), -1);

    graphics.DestroySprite(second);
    graphics.DestroySprite(second);    // already gone: ignored
    graphics.DestroySprite(nullptr);
    graphics.UnloadImages();
    EXPECT_EQ(graphics.Image(frames[0]), nullptr);
    graphics.DestroySprite(first);     // made from unloaded images: still fine
    ASSERT_EQ(graphics.Sprites().size(), 1u);
    EXPECT_EQ(&graphics.Sprites().front(), third);
    EXPECT_GT(graphics.LoadImage("images\\Key.bmp", 0), frames[0]);   // handles are not reused
}

// A restarting game unloads and loads its images again: an unchanged file comes back without
// being decoded anew, under a new handle; a file changed since, or loaded as the other kind, is
// read again.
TEST_F(AssetLoadingTest, ImagesLoadedAgainAfterAnUnloadAreTheFilesAsTheyAreNow)
{
    const int first = graphics.LoadImage("images\\Key.bmp", 0);
    const std::vector<uint32_t> keyed = graphics.Image(first)->bitmap.pixels;
    graphics.UnloadImages();
    const int again = graphics.LoadImage("images\\Key.bmp", 0);
    ASSERT_NE(graphics.Image(again), nullptr);
    EXPECT_GT(again, first);
    EXPECT_EQ(graphics.Image(again)->bitmap.pixels, keyed);
    EXPECT_EQ(graphics.Image(again)->name, "images/Key.bmp");

    graphics.UnloadImages();
    const int background = graphics.LoadBackgroundImage("images\\Key.bmp");   // no colour key
    EXPECT_EQ(graphics.Image(background)->bitmap.pixels[0], kMagenta);

    graphics.UnloadImages();
    WriteBytes(data.Path() / "images" / "Key.bmp", MakeBmp(3, 1, {kRed, kRed, kRed}, 24));
    const int changed = graphics.LoadImage("images\\Key.bmp", 0);
    ASSERT_NE(graphics.Image(changed), nullptr);
    EXPECT_EQ(graphics.Image(changed)->bitmap.width, 3);

    graphics.UnloadImages();
    std::filesystem::remove(data.Path() / "images" / "Key.bmp");
    EXPECT_EQ(graphics.LoadImage("images\\Key.bmp", 0), -1);   // gone: not served from memory
}

TEST_F(AssetLoadingTest, SoundsPlayByHandleAndAreRecordedForTheFrame)
{
    const int jump = sound.LoadSound("sounds\\jump.wav");
    ASSERT_GE(jump, 0);
    sound.PlaySound(jump);
    sound.PlaySound(jump + 100);
    sound.PlaySound(-1);
    sound.PlaySound(jump);
    EXPECT_EQ(sound.Played(), (std::vector<std::string>{"sounds/jump.wav", "sounds/jump.wav"}));
    sound.ClearPlayed();
    sound.UnloadSounds();
    sound.PlaySound(jump);
    EXPECT_TRUE(sound.Played().empty());
}

TEST_F(AssetLoadingTest, TheFullscreenSwitchReachesTheFrontEnd)
{
    std::vector<bool> switched;
    graphics.SetFullscreenHandler([&switched](bool on) { switched.push_back(on); });
    graphics.SetFullscreen(true);
    graphics.SetFullscreen(false);
    EXPECT_EQ(switched, (std::vector<bool>{true, false}));
    EXPECT_FALSE(graphics.Fullscreen());
}

TEST(BmpCodecTest, ReadsPalettedAndBottomUpFilesAndWritesWhatItReads)
{
    // 2x2, 8 bits per pixel, two palette entries, bottom-up.
    std::vector<uint8_t> file(14 + 40 + 8 + 8, 0);
    file[0] = 'B';
    file[1] = 'M';
    file[10] = 14 + 40 + 8;
    file[14] = 40;
    file[18] = 2;
    file[22] = 2;
    file[26] = 1;
    file[28] = 8;
    file[46] = 2;                                   // colours used
    file[54] = 0xFF;                                // entry 0: blue
    file[58 + 1] = 0xFF;                            // entry 1: green
    file[62] = 1;                                   // bottom row: green, blue
    file[70 - 4 + 1] = 1;                           // top row: blue, green
    Bitmap bitmap;
    std::string error;
    ASSERT_TRUE(DecodeBmp(file, bitmap, error)) << error;
    EXPECT_EQ(bitmap.pixels, (std::vector<uint32_t>{0xFF0000FFu, 0xFF00FF00u, 0xFF00FF00u, 0xFF0000FFu}));

    Bitmap again;
    ASSERT_TRUE(DecodeBmp(EncodeBmp24(bitmap), again, error));
    EXPECT_EQ(again.pixels, bitmap.pixels);
    EXPECT_FALSE(again.hasAlpha);
}

}  // namespace
