// The software renderer.
#include "SoftwareRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kPauseDim = 96;   // of 255: how much of the scene shows through the dimming
// Sprite positions far outside the screen are not drawn (and cannot overflow the arithmetic).
constexpr float kFarAway = 1.0e6f;

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

}  // namespace

CSoftwareRenderer::CSoftwareRenderer()
{
    canvas.width = kScreenWidth;
    canvas.height = kScreenHeight;
    canvas.pixels.assign(static_cast<std::size_t>(kScreenWidth * kScreenHeight), kBlack);
}

void CSoftwareRenderer::DrawImage(const Bitmap& image, float x, float y, bool mirrored)
{
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > kFarAway ||
        std::fabs(y) > kFarAway) {
        return;
    }
    const int left = static_cast<int>(std::lround(x - static_cast<float>(image.width) * 0.5f));
    const int top = static_cast<int>(std::lround(y - static_cast<float>(image.height) * 0.5f));
    const int firstColumn = std::max(0, -left);
    const int lastColumn = std::min(image.width, kScreenWidth - left);
    const int firstRow = std::max(0, -top);
    const int lastRow = std::min(image.height, kScreenHeight - top);
    if (firstColumn >= lastColumn) {
        return;
    }
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

void CSoftwareRenderer::DrawScene(const CGraphicsService& graphics)
{
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), kBlack);
    for (const CHostSprite& sprite : graphics.Sprites()) {
        const LoadedImage* image = graphics.Image(sprite.CurrentImage());
        if (image != nullptr) {
            DrawImage(image->bitmap, sprite.X(), sprite.Y(), sprite.Mirrored());
        }
    }
}

void CSoftwareRenderer::DrawPauseOverlay(const Bitmap* pausePicture)
{
    for (uint32_t& pixel : canvas.pixels) {
        uint32_t result = kBlack;
        for (int shift = 0; shift <= 16; shift += 8) {
            result |= (((pixel >> shift) & 0xFFu) * kPauseDim / 255) << shift;
        }
        pixel = result;
    }
    // Near the top, between the HUD's corners: over the middle it would hide the game-over
    // menu (its title at y 140, its entries at 268 and 352) that the player is choosing from.
    constexpr float kPausePictureY = 56.0f;
    if (pausePicture != nullptr) {
        DrawImage(*pausePicture, kScreenWidth * 0.5f, kPausePictureY, false);
    }
}
