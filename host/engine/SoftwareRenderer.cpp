// The software renderer.
#include "engine/SoftwareRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kPauseDim = 96;   // of 255: how much of the scene shows through the dimming
// Sprite positions far outside the screen are not drawn (and cannot overflow the arithmetic).
constexpr float kFarAway = 1.0e6f;

// Each channel becomes (s * alpha + t * (255 - alpha) + 127) / 255. Red and blue are worked
// out together in the two halves of one word: neither half can pass 65152, so nothing carries
// across, and x / 255 == (x + 1 + (x >> 8)) >> 8 for every x up to there.
uint32_t BlendPartly(uint32_t source, uint32_t target)
{
    const uint32_t alpha = source >> 24;
    const uint32_t inverse = 255 - alpha;
    uint32_t redBlue = (source & 0x00FF00FFu) * alpha + (target & 0x00FF00FFu) * inverse + 0x007F007Fu;
    redBlue = ((redBlue + 0x00010001u + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    uint32_t green = ((source >> 8) & 0xFFu) * alpha + ((target >> 8) & 0xFFu) * inverse + 127;
    green = (green + 1 + (green >> 8)) >> 8;
    return kBlack | redBlue | (green << 8);
}

// The same, channel by channel, as plain as it can be written: drawing a bare bitmap uses it.
uint32_t Blend(uint32_t source, uint32_t target)
{
    const uint32_t alpha = source >> 24;
    if (alpha == 255) {
        return source;
    }
    const uint32_t inverse = 255 - alpha;
    uint32_t result = kBlack;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFFu;
        const uint32_t t = (target >> shift) & 0xFFu;
        result |= ((s * alpha + t * inverse + 127) / 255) << shift;
    }
    return result;
}

struct Placement {
    int left;
    int top;
    int firstColumn;   // the image's columns and rows that are on the screen
    int lastColumn;
    int firstRow;
    int lastRow;
};

// Where an image centred at (x, y) lands, clipped to the screen; false if nothing of it shows.
bool Place(const Bitmap& image, float x, float y, Placement& place)
{
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > kFarAway ||
        std::fabs(y) > kFarAway) {
        return false;
    }
    place.left = static_cast<int>(std::lround(x - static_cast<float>(image.width) * 0.5f));
    place.top = static_cast<int>(std::lround(y - static_cast<float>(image.height) * 0.5f));
    place.firstColumn = std::max(0, -place.left);
    place.lastColumn = std::min(image.width, kScreenWidth - place.left);
    place.firstRow = std::max(0, -place.top);
    place.lastRow = std::min(image.height, kScreenHeight - place.top);
    return place.firstColumn < place.lastColumn && place.firstRow < place.lastRow;
}

}  // namespace

CSoftwareRenderer::CSoftwareRenderer()
{
    canvas.width = kScreenWidth;
    canvas.height = kScreenHeight;
    canvas.pixels.assign(static_cast<std::size_t>(kScreenWidth * kScreenHeight), kBlack);
}

void CSoftwareRenderer::DrawImage(const Bitmap& image, float x, float y, bool mirrored)
{
    Placement place;
    if (!Place(image, x, y, place)) {
        return;
    }
    const auto [left, top, firstColumn, lastColumn, firstRow, lastRow] = place;
    for (int row = firstRow; row < lastRow; ++row) {
        const uint32_t* source = &image.pixels[static_cast<std::size_t>(row * image.width)];
        uint32_t* target = &canvas.pixels[static_cast<std::size_t>((top + row) * kScreenWidth)];
        if (image.opaque && !mirrored) {
            std::copy(source + firstColumn, source + lastColumn, target + left + firstColumn);
            continue;
        }
        for (int column = firstColumn; column < lastColumn; ++column) {
            const uint32_t pixel = source[mirrored ? image.width - 1 - column : column];
            if ((pixel >> 24) != 0) {
                uint32_t& out = target[left + column];
                out = Blend(pixel, out);
            }
        }
    }
}

void CSoftwareRenderer::DrawImage(const LoadedImage& image, float x, float y, bool mirrored)
{
    const Bitmap& bitmap = image.bitmap;
    if (image.runs.rowStart.size() != static_cast<std::size_t>(bitmap.height) + 1) {
        DrawImage(bitmap, x, y, mirrored);   // made without its runs
        return;
    }
    Placement place;
    if (!Place(bitmap, x, y, place)) {
        return;
    }
    const int width = bitmap.width;
    for (int row = place.firstRow; row < place.lastRow; ++row) {
        const uint32_t* source = &bitmap.pixels[static_cast<std::size_t>(row * width)];
        uint32_t* target = &canvas.pixels[static_cast<std::size_t>((place.top + row) * kScreenWidth)];
        const PixelRun* run = image.runs.runs.data() + image.runs.rowStart[static_cast<std::size_t>(row)];
        const PixelRun* end = image.runs.runs.data() + image.runs.rowStart[static_cast<std::size_t>(row) + 1];
        for (; run != end; ++run) {
            // The run's columns in the image as drawn: mirrored, column c lands on width - 1 - c.
            const int start = mirrored ? width - run->start - run->length : run->start;
            const int first = std::max(start, place.firstColumn);
            const int last = std::min(start + static_cast<int>(run->length), place.lastColumn);
            if (first >= last) {
                continue;
            }
            uint32_t* out = target + (place.left + first);
            const int count = last - first;
            if (!mirrored) {
                const uint32_t* in = source + first;
                if (run->blended) {
                    for (int i = 0; i < count; ++i) {
                        out[i] = BlendPartly(in[i], out[i]);
                    }
                } else {
                    std::memcpy(out, in, static_cast<std::size_t>(count) * sizeof(uint32_t));
                }
            } else {
                const uint32_t* in = source + (width - 1 - first);   // walked backwards
                if (run->blended) {
                    for (int i = 0; i < count; ++i) {
                        out[i] = BlendPartly(*(in - i), out[i]);
                    }
                } else {
                    for (int i = 0; i < count; ++i) {
                        out[i] = *(in - i);
                    }
                }
            }
        }
    }
}

void CSoftwareRenderer::DrawScene(const CGraphicsService& graphics)
{
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), kBlack);
    for (const CHostSprite& sprite : graphics.Sprites()) {
        const LoadedImage* image = graphics.Image(sprite.CurrentImage());
        if (image != nullptr) {
            DrawImage(*image, sprite.X(), sprite.Y(), sprite.Mirrored());
        }
    }
}

void CSoftwareRenderer::Dim()
{
    for (uint32_t& pixel : canvas.pixels) {
        uint32_t result = kBlack;
        for (int shift = 0; shift <= 16; shift += 8) {
            result |= (((pixel >> shift) & 0xFFu) * kPauseDim / 255) << shift;
        }
        pixel = result;
    }
}

void CSoftwareRenderer::DrawHowToPlay(const Bitmap& card)
{
    Dim();
    // Below the HUD's rows, so that the numbers the card names stay in sight.
    constexpr float kCardY = 270.0f;
    DrawImage(card, kScreenWidth * 0.5f, kCardY, false);
}

void CSoftwareRenderer::DrawPauseOverlay(const Bitmap* pausePicture)
{
    Dim();
    // Near the top, between the HUD's corners: over the middle it would hide the game-over
    // menu (its title at y 140, its entries at 268 and 352) that the player is choosing from.
    constexpr float kPausePictureY = 56.0f;
    if (pausePicture != nullptr) {
        DrawImage(*pausePicture, kScreenWidth * 0.5f, kPausePictureY, false);
    }
}
