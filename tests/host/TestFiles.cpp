// Test helpers.
#include "TestFiles.h"

#include <fstream>
#include <random>
#include <sstream>

#include "formats/BmpCodec.h"

CTempDirectory::CTempDirectory()
{
    std::random_device device;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
        path = base / ("vantor-host-test-" + std::to_string(device()));
    } while (std::filesystem::exists(path));
    std::filesystem::create_directories(path);
}

CTempDirectory::~CTempDirectory()
{
    std::error_code code;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, code);
    std::filesystem::remove_all(path, code);
}

std::vector<uint8_t> MakeBmp(int width, int height, const std::vector<uint32_t>& pixels,
                             int bitsPerPixel)
{
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels = pixels;
    if (bitsPerPixel == 24) {
        return EncodeBmp24(bitmap);
    }
    std::vector<uint8_t> out = EncodeBmp24(Bitmap{1, 1, {0}, false});
    out.resize(54);
    const uint32_t size = static_cast<uint32_t>(54 + width * height * 4);
    auto put32 = [&out](std::size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            out[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
        }
    };
    put32(2, size);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(-height));   // top-down
    out[28] = 32;
    put32(34, static_cast<uint32_t>(width * height * 4));
    for (const uint32_t pixel : pixels) {
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<uint8_t>(pixel >> (8 * i)));   // B, G, R, A
        }
    }
    return out;
}

std::vector<uint8_t> MakeWav(int channels, int sampleRate, const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out;
    auto tag = [&out](const char* text) { out.insert(out.end(), text, text + 4); };
    auto put = [&out](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);
    put(static_cast<uint32_t>(channels), 2);
    put(static_cast<uint32_t>(sampleRate), 4);
    put(static_cast<uint32_t>(sampleRate * channels * 2), 4);
    put(static_cast<uint32_t>(channels * 2), 2);
    put(16, 2);
    tag("data");
    put(dataBytes, 4);
    for (const int16_t sample : samples) {
        put(static_cast<uint16_t>(sample), 2);
    }
    return out;
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}
