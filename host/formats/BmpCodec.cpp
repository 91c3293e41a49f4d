// Windows bitmap reader and writer.
#include "formats/BmpCodec.h"

#include <cstddef>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
// What an image may decode to. The game's largest picture is the 640 by 480 background; 4096 by
// 4096 pixels (64 MiB decoded) leaves room for any art while a small file that claims a huge
// picture (a 1-bit 16384 by 4096 image is 8 MiB on disk, 256 MiB decoded) is refused.
constexpr int kMaxSide = 8192;
constexpr uint64_t kMaxPixels = 4096ull * 4096;
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitFields = 3;
constexpr uint32_t kCompressionAlphaBitFields = 6;

class CByteReader {
public:
    explicit CByteReader(const std::vector<uint8_t>& bytes) : data(bytes) {}

    // 64-bit sizes: on a 32-bit system (the web build) a product from a header must not wrap.
    bool Has(uint64_t offset, uint64_t count) const
    {
        return offset <= data.size() && count <= data.size() - offset;
    }
    uint32_t U16(std::size_t offset) const
    {
        return static_cast<uint32_t>(data[offset] | (data[offset + 1] << 8));
    }
    uint32_t U32(std::size_t offset) const
    {
        return static_cast<uint32_t>(data[offset]) | (static_cast<uint32_t>(data[offset + 1]) << 8) |
               (static_cast<uint32_t>(data[offset + 2]) << 16) |
               (static_cast<uint32_t>(data[offset + 3]) << 24);
    }
    int32_t I32(std::size_t offset) const { return static_cast<int32_t>(U32(offset)); }

    const std::vector<uint8_t>& data;
};

// One colour channel described by a bit mask, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t bits = 0) : mask(bits)
    {
        if (mask == 0) {
            return;
        }
        while (((mask >> shift) & 1u) == 0) {
            ++shift;
        }
        max = mask >> shift;
        while ((max & (max + 1)) != 0) {   // not contiguous: keep only the low run
            max >>= 1;
        }
    }
    uint32_t Read(uint32_t value) const
    {
        if (max == 0) {
            return 0;
        }
        const uint32_t raw = (value >> shift) & max;
        return static_cast<uint32_t>((static_cast<uint64_t>(raw) * 255 + max / 2) / max);
    }
};

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

bool Fail(std::string& error, const char* reason)
{
    error = reason;
    return false;
}

}  // namespace

bool DecodeBmp(const std::vector<uint8_t>& file, Bitmap& bitmap, std::string& error)
{
    const CByteReader in(file);
    if (!in.Has(0, kFileHeaderSize + 4) || file[0] != 'B' || file[1] != 'M') {
        return Fail(error, "not a BMP file");
    }
    const uint32_t pixelOffset = in.U32(10);
    const uint32_t headerSize = in.U32(kFileHeaderSize);
    if (!in.Has(kFileHeaderSize, headerSize) ||
        (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize)) {
        return Fail(error, "damaged BMP header");
    }

    const std::size_t h = kFileHeaderSize;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t planes = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = kCompressionRgb;
    uint32_t colorsUsed = 0;
    std::size_t paletteOffset = h + headerSize;
    std::size_t paletteEntrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        width = in.U16(h + 4);
        height = static_cast<int16_t>(in.U16(h + 6));
        planes = in.U16(h + 8);
        bitsPerPixel = in.U16(h + 10);
        paletteEntrySize = 3;
    } else {
        width = in.I32(h + 4);
        height = in.I32(h + 8);
        planes = in.U16(h + 12);
        bitsPerPixel = in.U16(h + 14);
        compression = in.U32(h + 16);
        colorsUsed = in.U32(h + 32);
    }
    const bool topDown = height < 0;
    if (topDown) {
        height = -height;
    }
    if (planes != 1) {
        return Fail(error, "damaged BMP header (planes)");
    }
    if (width <= 0 || height <= 0) {
        return Fail(error, "BMP size out of range");
    }
    if (width > kMaxSide || height > kMaxSide || static_cast<uint64_t>(width * height) > kMaxPixels) {
        error = "BMP of " + std::to_string(width) + " by " + std::to_string(height) +
                " pixels is too large (at most " + std::to_string(kMaxPixels) + " pixels, " +
                std::to_string(kMaxSide) + " on a side)";
        return false;
    }
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 &&
        bitsPerPixel != 32) {
        return Fail(error, "unsupported BMP colour depth");
    }
    const bool bitFields =
        compression == kCompressionBitFields || compression == kCompressionAlphaBitFields;
    if (compression != kCompressionRgb && !(bitFields && bitsPerPixel == 32)) {
        return Fail(error, "compressed BMP files are not supported");
    }

    // Channel masks: 32-bit plain files are BGRA in memory; bit fields say otherwise.
    Channel red(0x00FF0000u), green(0x0000FF00u), blue(0x000000FFu), alpha(0xFF000000u);
    if (bitFields) {
        std::size_t maskOffset = h + kInfoHeaderSize;
        const std::size_t maskCount = compression == kCompressionAlphaBitFields ? 4 : 3;
        const bool inHeader = headerSize >= kInfoHeaderSize + 4 * maskCount;
        if (!in.Has(maskOffset, 4 * maskCount)) {
            return Fail(error, "damaged BMP colour masks");
        }
        red = Channel(in.U32(maskOffset));
        green = Channel(in.U32(maskOffset + 4));
        blue = Channel(in.U32(maskOffset + 8));
        alpha = Channel(maskCount == 4 || (headerSize >= kInfoHeaderSize + 16)
                            ? in.U32(maskOffset + 12) : 0);
        if (!inHeader) {
            paletteOffset += 4 * maskCount;
        }
        if (red.mask == 0 && green.mask == 0 && blue.mask == 0) {
            return Fail(error, "damaged BMP colour masks");
        }
    }

    std::vector<uint32_t> palette;
    if (bitsPerPixel <= 8) {
        const uint32_t fullSize = 1u << bitsPerPixel;
        const uint32_t count = colorsUsed == 0 || colorsUsed > fullSize ? fullSize : colorsUsed;
        if (!in.Has(paletteOffset, count * paletteEntrySize)) {
            return Fail(error, "damaged BMP palette");
        }
        palette.resize(fullSize, Argb(255, 0, 0, 0));
        for (uint32_t i = 0; i < count; ++i) {
            const std::size_t at = paletteOffset + i * paletteEntrySize;
            palette[i] = Argb(255, file[at + 2], file[at + 1], file[at]);
        }
    }

    const uint64_t stride = ((static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32) * 4;
    if (!in.Has(pixelOffset, stride * static_cast<uint64_t>(height))) {
        return Fail(error, "BMP pixel data is cut short");
    }

    bitmap.width = static_cast<int>(width);
    bitmap.height = static_cast<int>(height);
    bitmap.pixels.assign(static_cast<std::size_t>(width * height), 0);
    bool anyAlpha = false;
    for (int64_t row = 0; row < height; ++row) {
        const std::size_t source = pixelOffset + static_cast<std::size_t>(stride * row);
        const int64_t targetRow = topDown ? row : height - 1 - row;
        uint32_t* target = &bitmap.pixels[static_cast<std::size_t>(targetRow * width)];
        for (int64_t column = 0; column < width; ++column) {
            uint32_t pixel = 0;
            if (bitsPerPixel == 24) {
                const std::size_t at = source + static_cast<std::size_t>(column * 3);
                pixel = Argb(255, file[at + 2], file[at + 1], file[at]);
            } else if (bitsPerPixel == 32) {
                const uint32_t value = in.U32(source + static_cast<std::size_t>(column * 4));
                const uint32_t a = alpha.Read(value);
                anyAlpha = anyAlpha || a != 0;
                pixel = Argb(a, red.Read(value), green.Read(value), blue.Read(value));
            } else {
                const uint64_t bit = static_cast<uint64_t>(column) * bitsPerPixel;
                const uint8_t byte = file[source + static_cast<std::size_t>(bit / 8)];
                const unsigned shift = 8 - bitsPerPixel - static_cast<unsigned>(bit % 8);
                pixel = palette[(byte >> shift) & ((1u << bitsPerPixel) - 1)];
            }
            target[column] = pixel;
        }
    }
    // A 32-bit file whose fourth bytes are all zero carries no alpha: show it opaque.
    bitmap.hasAlpha = bitsPerPixel == 32 && alpha.mask != 0 && anyAlpha;
    if (!bitmap.hasAlpha) {
        for (uint32_t& pixel : bitmap.pixels) {
            pixel |= 0xFF000000u;
        }
    }
    return true;
}

std::vector<uint8_t> EncodeBmp24(const Bitmap& bitmap)
{
    const uint32_t stride = static_cast<uint32_t>((bitmap.width * 3 + 3) / 4 * 4);
    const uint32_t pixelBytes = stride * static_cast<uint32_t>(bitmap.height);
    const uint32_t offset = static_cast<uint32_t>(kFileHeaderSize) + kInfoHeaderSize;
    std::vector<uint8_t> out(offset + pixelBytes, 0);
    auto put16 = [&out](std::size_t at, uint32_t value) {
        out[at] = static_cast<uint8_t>(value);
        out[at + 1] = static_cast<uint8_t>(value >> 8);
    };
    auto put32 = [&put16](std::size_t at, uint32_t value) {
        put16(at, value & 0xFFFFu);
        put16(at + 2, value >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, offset + pixelBytes);
    put32(10, offset);
    put32(14, kInfoHeaderSize);
    put32(18, static_cast<uint32_t>(bitmap.width));
    put32(22, static_cast<uint32_t>(bitmap.height));
    put16(26, 1);
    put16(28, 24);
    put32(34, pixelBytes);
    for (int row = 0; row < bitmap.height; ++row) {
        const std::size_t target = offset + static_cast<std::size_t>(stride) *
                                                static_cast<std::size_t>(bitmap.height - 1 - row);
        for (int column = 0; column < bitmap.width; ++column) {
            const uint32_t pixel =
                bitmap.pixels[static_cast<std::size_t>(row * bitmap.width + column)];
            const std::size_t at = target + static_cast<std::size_t>(column * 3);
            out[at] = static_cast<uint8_t>(pixel);
            out[at + 1] = static_cast<uint8_t>(pixel >> 8);
            out[at + 2] = static_cast<uint8_t>(pixel >> 16);
        }
    }
    return out;
}
