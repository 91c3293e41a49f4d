// The generator's encoders read back through SDL2 exactly as written (including row padding
// and partial alpha), and its font has a well-formed glyph for every character it sets.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "AssetTestSupport.h"
#include "FileFormats.h"
#include "PixelFont.h"

using namespace assettest;

namespace {

Surface DecodeBmp(const Bytes& bytes)
{
    return Surface(SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1));
}

void ExpectPixel(const Pixels& p, int x, int y, Rgba want)
{
    const SDL_Color& got = p.At(x, y);
    EXPECT_EQ(got.r, want.r) << x << "," << y;
    EXPECT_EQ(got.g, want.g) << x << "," << y;
    EXPECT_EQ(got.b, want.b) << x << "," << y;
    EXPECT_EQ(got.a, want.a) << x << "," << y;
}

}  // namespace

TEST(AssetEncoders, TrueColourRowsArePaddedAndStoredBottomUp)
{
    // Three pixels make 9 bytes a row, padded to 12: a padding slip shears the picture.
    CCanvas canvas(3, 2);
    const Rgba colors[2][3] = {{Hex(0x102030), Hex(0x405060), Hex(0x708090)},
                               {Hex(0xa0b0c0), Hex(0xd0e0f0), Hex(0x010203)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            canvas.Set(x, y, colors[y][x]);
    const Bytes bytes = EncodeBmp24(canvas);
    EXPECT_EQ(bytes.size(), 54u + 2u * 12u);
    Surface surface = DecodeBmp(bytes);
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    const Pixels p = ReadPixels(surface.get());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            ExpectPixel(p, x, y, colors[y][x]);
}

TEST(AssetEncoders, AlphaBitmapsKeepPartialAlphaAndClearPixelsCarryNoColour)
{
    CCanvas canvas(2, 2);
    canvas.Set(0, 0, Hex(0x0a141e));
    canvas.Set(1, 0, Rgba{200, 100, 50, 110});
    canvas.Set(0, 1, Rgba{90, 90, 90, 0});   // clear, with a stray colour behind it
    canvas.Set(1, 1, Rgba{1, 2, 3, 128});
    const Bytes bytes = EncodeBmp32(canvas);
    Surface surface = DecodeBmp(bytes);
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    ASSERT_NE(surface->format->Amask, 0u);
    const Pixels p = ReadPixels(surface.get());
    ExpectPixel(p, 0, 0, Hex(0x0a141e));
    ExpectPixel(p, 1, 0, Rgba{200, 100, 50, 110});
    ExpectPixel(p, 0, 1, Rgba{0, 0, 0, 0});
    ExpectPixel(p, 1, 1, Rgba{1, 2, 3, 128});
}

TEST(AssetEncoders, WaveSamplesComeBackAsWritten)
{
    const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768, 7};
    const Bytes bytes = EncodeWav16(samples, 22050);
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1, &spec,
                             &buffer, &length),
              nullptr)
        << SDL_GetError();
    EXPECT_EQ(spec.freq, 22050);
    EXPECT_EQ(spec.channels, 1);
    EXPECT_EQ(spec.format, AUDIO_S16LSB);
    ASSERT_EQ(length, samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(static_cast<int16_t>(buffer[2 * i] | (buffer[2 * i + 1] << 8)), samples[i]) << i;
    SDL_FreeWAV(buffer);
}

TEST(AssetFont, EveryWordOnScreenHasItsOwnGlyphs)
{
    const auto& unknown = font::Glyph('\x01');
    for (std::string_view word : {"GAME OVER", "RETRY", "QUIT", "PAUSED", "FIRE!", "AMMO", "0123456789"}) {
        for (char c : word)
            EXPECT_NE(&font::Glyph(c), &unknown) << "no glyph for '" << c << "' in " << word;
    }
}

TEST(AssetFont, GlyphsAreWellFormed)
{
    // Ragged rows would shear a letter; digits share one width so numbers line up.
    for (int code = 32; code < 127; ++code) {
        const auto& rows = font::Glyph(static_cast<char>(code));
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(font::kGlyphHeight)) << static_cast<char>(code);
        for (std::string_view row : rows) {
            EXPECT_EQ(row.size(), rows.front().size()) << static_cast<char>(code);
            EXPECT_EQ(row.find_first_not_of("#."), std::string_view::npos) << static_cast<char>(code);
        }
    }
    for (char digit = '0'; digit <= '9'; ++digit)
        EXPECT_EQ(font::Advance(digit), font::kGlyphWidth) << digit;
}
