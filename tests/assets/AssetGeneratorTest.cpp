// The generator itself: the same bytes on every run, what it made in the build is what it
// makes now, and it fails loudly, not silently, when it cannot write.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <png.h>

#include "AssetCatalog.h"
#include "AssetTestSupport.h"

using namespace assettest;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test process (CTest runs tests side by side), removed afterwards.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& tag)
        : path(fs::temp_directory_path() / ("vantor-assetgen-" + tag + "-" + std::to_string(getpid())))
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchDir() { fs::remove_all(path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    fs::path path;
};

// Runs the generator with the given arguments; its exit status, -1 if it did not run.
int RunGenerator(const std::string& arguments, const fs::path& log)
{
    const std::string command = std::string("\"") + VANTOR_TEST_ASSETGEN + "\" " + arguments + " >\"" +
                                log.string() + "\" 2>&1";
    const int status = std::system(command.c_str());
    return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

std::string Quote(const fs::path& path)
{
    return "\"" + path.string() + "\"";
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every file under root by its relative path, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_string()] = ReadAll(entry.path());
    return files;
}

uint32_t Little(const std::string& bytes, std::size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes.at(at + static_cast<std::size_t>(i)));
    return value;
}

// The Windows icon holds every PNG icon's picture: the largest as that very PNG, the others as
// bitmaps whose colours and transparency mask match the PNG's pixels where we look.
void ExpectWindowsIconMatchesThePngs(const fs::path& iconDir)
{
    const std::string ico = ReadAll(iconDir / WindowsIconPath());
    ASSERT_GE(ico.size(), 6u);
    ASSERT_EQ(Little(ico, 2, 2), 1u) << "not an icon";
    ASSERT_EQ(Little(ico, 4, 2), IconSizes().size());
    for (std::size_t i = 0; i < IconSizes().size(); ++i) {
        const int size = IconSizes()[i];
        SCOPED_TRACE(size);
        const std::size_t entry = 6 + 16 * i;
        const uint32_t length = Little(ico, entry + 8, 4);
        const uint32_t offset = Little(ico, entry + 12, 4);
        ASSERT_LE(static_cast<std::size_t>(offset) + length, ico.size());
        EXPECT_EQ(Little(ico, entry, 1), static_cast<uint32_t>(size % 256));
        const std::string image = ico.substr(offset, length);
        const std::string png = ReadAll(iconDir / IconPath(size));
        if (size == 256) {
            EXPECT_TRUE(image == png) << "the 256-pixel image is not the PNG";
            continue;
        }
        ASSERT_EQ(Little(image, 4, 4), static_cast<uint32_t>(size));
        ASSERT_EQ(Little(image, 8, 4), static_cast<uint32_t>(size) * 2) << "colour and mask rows";
        const std::size_t maskRow = (static_cast<std::size_t>(size) + 31) / 32 * 4;
        const std::size_t side = static_cast<std::size_t>(size);
        ASSERT_EQ(image.size(), 40 + side * side * 4 + maskRow * side);
        png_image decoded{};
        decoded.version = PNG_IMAGE_VERSION;
        ASSERT_NE(png_image_begin_read_from_memory(&decoded, png.data(), png.size()), 0);
        decoded.format = PNG_FORMAT_BGRA;
        std::vector<png_byte> pixels(PNG_IMAGE_SIZE(decoded));
        ASSERT_NE(png_image_finish_read(&decoded, nullptr, pixels.data(), 0, nullptr), 0);
        for (const auto& [x, y] : {std::pair<std::size_t, std::size_t>{0, 0}, {side / 2, side / 2}, {side / 3, 1}}) {
            const std::size_t row = side - 1 - y;  // bitmaps are stored bottom-up
            const std::string colour = image.substr(40 + (row * side + x) * 4, 4);
            EXPECT_EQ(colour, std::string(reinterpret_cast<const char*>(&pixels[(y * side + x) * 4]), 4))
                << x << "," << y;
            const bool masked = (Little(image, 40 + side * side * 4 + row * maskRow + x / 8, 1) >> (7 - x % 8)) & 1;
            EXPECT_EQ(masked, pixels[(y * side + x) * 4 + 3] == 0) << x << "," << y;
        }
    }
}

}  // namespace

TEST(AssetGenerator, TwoRunsWriteTheSameBytesAsTheBuildDid)
{
    ScratchDir scratch("twice");
    ASSERT_EQ(RunGenerator(Quote(scratch.path / "a"), scratch.path / "a.log"), 0) << ReadAll(scratch.path / "a.log");
    ASSERT_EQ(RunGenerator(Quote(scratch.path / "b"), scratch.path / "b.log"), 0) << ReadAll(scratch.path / "b.log");
    const auto first = Tree(scratch.path / "a");
    const auto second = Tree(scratch.path / "b");
    EXPECT_EQ(first.size(), ImageAssets().size() + SoundAssets().size());
    EXPECT_EQ(ImageAssets().size(), 30u);
    EXPECT_EQ(SoundAssets().size(), 6u);
    EXPECT_TRUE(first == second) << "the output changed between two runs";
    // The build's copy came from the same generator: nothing stale or extra in it.
    const auto built = Tree(DataDir());
    for (const auto& [name, bytes] : first) {
        const auto found = built.find(name);
        ASSERT_NE(found, built.end()) << name << " missing from the build";
        EXPECT_TRUE(found->second == bytes) << name << " differs from the build's";
    }
}

TEST(AssetGenerator, FailsWithAMessageWhenItCannotWrite)
{
    ScratchDir scratch("blocked");
    // A plain file where the data folder should be: no folder can be made under it.
    std::ofstream(scratch.path / "blocker") << "not a folder";
    const int status = RunGenerator(Quote(scratch.path / "blocker" / "data"), scratch.path / "log");
    EXPECT_NE(status, 0);
    EXPECT_NE(ReadAll(scratch.path / "log").find("blocker"), std::string::npos) << "the message names the path";
}

TEST(AssetGenerator, RejectsMissingOrUnknownArguments)
{
    ScratchDir scratch("usage");
    EXPECT_EQ(RunGenerator("", scratch.path / "log"), 2);
    EXPECT_NE(ReadAll(scratch.path / "log").find("usage"), std::string::npos);
    EXPECT_EQ(RunGenerator("--no-such-option", scratch.path / "log"), 2);
    EXPECT_EQ(RunGenerator("--contact-sheet", scratch.path / "log"), 2);
    EXPECT_EQ(RunGenerator("--icons", scratch.path / "log"), 2);
}

TEST(AssetGenerator, PreviewPicturesLoad)
{
    ScratchDir scratch("preview");
    const fs::path sheet = scratch.path / "sheet.bmp";
    const fs::path scene = scratch.path / "scene.bmp";
    ASSERT_EQ(RunGenerator("--contact-sheet " + Quote(sheet) + " --scene " + Quote(scene), scratch.path / "log"), 0);
    Surface sheetSurface = LoadBmp(sheet);
    Surface sceneSurface = LoadBmp(scene);
    ASSERT_NE(sheetSurface, nullptr);
    ASSERT_NE(sceneSurface, nullptr);
    EXPECT_EQ(sceneSurface->w, 640);
    EXPECT_EQ(sceneSurface->h, 480);
}

TEST(AssetGenerator, WritesTheDesktopIconAsPngAtEverySizeAndOneWindowsIcon)
{
    ScratchDir scratch("icons");
    ASSERT_EQ(RunGenerator("--icons " + Quote(scratch.path / "icons"), scratch.path / "log"), 0)
        << ReadAll(scratch.path / "log");
    ASSERT_EQ(IconSizes(), (std::vector<int>{32, 64, 128, 256}));
    for (int size : IconSizes()) {
        SCOPED_TRACE(size);
        const fs::path path = scratch.path / "icons" / IconPath(size);
        EXPECT_EQ(path.generic_string().substr(scratch.path.generic_string().size()),
                  "/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/vantor.png");
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0) << image.message;
        EXPECT_EQ(image.width, static_cast<png_uint_32>(size));
        EXPECT_EQ(image.height, static_cast<png_uint_32>(size));
        image.format = PNG_FORMAT_RGBA;
        std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
        ASSERT_NE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr), 0) << image.message;
        // Rounded corners show what is behind; the middle is the picture.
        EXPECT_EQ(pixels[3], 0) << "top left corner is clear";
        const std::size_t middle = (static_cast<std::size_t>(size / 2) * static_cast<std::size_t>(size) +
                                    static_cast<std::size_t>(size / 2)) * 4;
        EXPECT_EQ(pixels[middle + 3], 255);
    }
    // The build wrote the same icons beside, not into, the game's data.
    for (int size : IconSizes()) {
        const fs::path built = fs::path(VANTOR_TEST_ICON_DIR) / IconPath(size);
        EXPECT_TRUE(ReadAll(built) == ReadAll(scratch.path / "icons" / IconPath(size))) << built;
        EXPECT_FALSE(fs::exists(DataDir() / "icons"));
    }
    ExpectWindowsIconMatchesThePngs(scratch.path / "icons");
    EXPECT_TRUE(ReadAll(fs::path(VANTOR_TEST_ICON_DIR) / WindowsIconPath()) ==
                ReadAll(scratch.path / "icons" / WindowsIconPath()));
}
