// Decodes any bytes as a BMP file and draws what decodes: whole, across every edge of the
// screen, and mirrored, as sprites get drawn.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/BmpCodec.h"
#include "engine/SoftwareRenderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::vector<uint8_t> file(data, data + size);
    Bitmap bitmap;
    std::string error;
    if (!DecodeBmp(file, bitmap, error)) {
        return 0;
    }
    bitmap.opaque = std::all_of(bitmap.pixels.begin(), bitmap.pixels.end(),
                                [](uint32_t pixel) { return (pixel >> 24) == 0xFFu; });
    static CSoftwareRenderer renderer;   // one canvas for every input: drawing never reads it back
    const float halfWidth = static_cast<float>(bitmap.width) * 0.5f;
    const float halfHeight = static_cast<float>(bitmap.height) * 0.5f;
    renderer.DrawImage(bitmap, 320.0f, 240.0f, false);
    renderer.DrawImage(bitmap, 1.0f - halfWidth, 1.0f - halfHeight, true);
    renderer.DrawImage(bitmap, kScreenWidth + halfWidth - 1.0f, kScreenHeight + halfHeight - 1.0f, false);
    renderer.DrawImage(bitmap, 0.4f, 479.6f, true);
    const std::vector<uint8_t> encoded = EncodeBmp24(bitmap);
    Bitmap again;
    if (!DecodeBmp(encoded, again, error) || again.width != bitmap.width ||
        again.height != bitmap.height) {
        __builtin_trap();   // what we write, we must read back
    }
    return 0;
}
