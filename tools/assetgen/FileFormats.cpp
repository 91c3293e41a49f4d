// BMP, ICO and WAV encoding, little-endian byte by byte so the output is the same on every host.
#include "FileFormats.h"

#include <fstream>
#include <string>
#include <system_error>

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kV4HeaderSize = 108;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kLcsSrgb = 0x73524742;  // 'sRGB'
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Put16(Bytes& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes& out, uint32_t value)
{
    Put16(out, value & 0xFFFFu);
    Put16(out, value >> 16);
}

void PutTag(Bytes& out, const char (&tag)[5])
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

void PutFileHeader(Bytes& out, uint32_t headerSize, uint32_t imageSize)
{
    const uint32_t offset = kFileHeaderSize + headerSize;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);  // reserved
    Put32(out, offset);
}

void PutInfoHeader(Bytes& out, uint32_t headerSize, const CCanvas& canvas, uint16_t bits,
                   uint32_t compression, uint32_t imageSize)
{
    Put32(out, headerSize);
    Put32(out, static_cast<uint32_t>(canvas.Width()));
    Put32(out, static_cast<uint32_t>(canvas.Height()));  // positive: rows stored bottom-up
    Put16(out, 1);                                       // planes
    Put16(out, bits);
    Put32(out, compression);
    Put32(out, imageSize);
    Put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    Put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    Put32(out, 0);  // colours used
    Put32(out, 0);  // important colours
}

}  // namespace

Bytes EncodeBmp32(const CCanvas& canvas)
{
    const uint32_t imageSize = static_cast<uint32_t>(canvas.Width() * canvas.Height() * 4);
    Bytes out;
    out.reserve(kFileHeaderSize + kV4HeaderSize + imageSize);
    PutFileHeader(out, kV4HeaderSize, imageSize);
    PutInfoHeader(out, kV4HeaderSize, canvas, 32, kBiBitfields, imageSize);
    Put32(out, 0x00FF0000u);  // red mask
    Put32(out, 0x0000FF00u);  // green mask
    Put32(out, 0x000000FFu);  // blue mask
    Put32(out, 0xFF000000u);  // alpha mask
    Put32(out, kLcsSrgb);
    for (int i = 0; i < 9 + 3; ++i)  // colour space end points and gamma: unused with sRGB
        Put32(out, 0);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            // A fully clear pixel is stored as zero so no stray colour hides behind it.
            const Rgba p = canvas.Get(x, y).Clear() ? pal::kClear : canvas.Get(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(p.a);
        }
    }
    return out;
}

Bytes EncodeBmp24(const CCanvas& canvas)
{
    const uint32_t rowSize = (static_cast<uint32_t>(canvas.Width()) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(canvas.Height());
    Bytes out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + imageSize);
    PutFileHeader(out, kInfoHeaderSize, imageSize);
    PutInfoHeader(out, kInfoHeaderSize, canvas, 24, kBiRgb, imageSize);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgba p = canvas.Get(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        while (out.size() - rowStart < rowSize)
            out.push_back(0);
    }
    return out;
}

namespace {

constexpr int kLargestBitmapIcon = 255;   // larger sizes are stored as PNG

// An icon's image as a bitmap: its header gives twice the height (the colour rows, then the
// 1-bit transparency mask), rows bottom-up, colour as BGRA.
Bytes IconBitmap(const CCanvas& canvas)
{
    const int size = canvas.Width();
    const uint32_t maskRow = (static_cast<uint32_t>(size) + 31) / 32 * 4;
    Bytes out;
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(size));
    Put32(out, static_cast<uint32_t>(size) * 2);
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)  // no compression, sizes and colours unused
        Put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba p = canvas.Get(x, y).Clear() ? pal::kClear : canvas.Get(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < size; ++x) {
            if (canvas.Get(x, y).Clear())
                row[static_cast<std::size_t>(x / 8)] |= static_cast<uint8_t>(0x80u >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Bytes EncodeIco(const std::vector<CCanvas>& images)
{
    constexpr uint32_t kDirectorySize = 6;
    constexpr uint32_t kEntrySize = 16;
    std::vector<Bytes> encoded;
    for (const CCanvas& canvas : images)
        encoded.push_back(canvas.Width() > kLargestBitmapIcon ? EncodePng(canvas) : IconBitmap(canvas));
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = kDirectorySize + kEntrySize * static_cast<uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].Width();
        const uint8_t side = size > kLargestBitmapIcon ? 0 : static_cast<uint8_t>(size);  // 0 is 256
        out.insert(out.end(), {side, side, 0, 0});  // no palette, reserved
        Put16(out, 1);                              // planes
        Put16(out, 32);                             // bits per pixel
        Put32(out, static_cast<uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(encoded[i].size());
    }
    for (const Bytes& image : encoded)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

Bytes EncodeWav16(const std::vector<int16_t>& samples, int sampleRate)
{
    constexpr uint16_t kPcm = 1;
    constexpr uint16_t kChannels = 1;
    constexpr uint16_t kBytesPerSample = 2;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * kBytesPerSample;
    Bytes out;
    out.reserve(44 + dataSize);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, kPcm);
    Put16(out, kChannels);
    Put32(out, static_cast<uint32_t>(sampleRate));
    Put32(out, static_cast<uint32_t>(sampleRate) * kChannels * kBytesPerSample);
    Put16(out, kChannels * kBytesPerSample);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataSize);
    for (int16_t sample : samples)
        Put16(out, static_cast<uint16_t>(sample));
    return out;
}

bool WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    // Written beside the target and renamed over it, so a reader never sees half a file.
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
