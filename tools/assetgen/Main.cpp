// assetgen: writes the game's pictures and sounds, and on request preview pictures.
//   assetgen DATA_DIR                  DATA_DIR/images/*.bmp and DATA_DIR/sounds/*.wav
//   assetgen --icons DIR               the desktop icon, DIR/hicolor/NxN/apps/vantor.png
//   assetgen --contact-sheet FILE      every image on one sheet (BMP)
//   assetgen --scene FILE              a mock game screen (BMP)
//   assetgen --menu-scene FILE         the same with the game-over menu
//   assetgen --pause-scene FILE        the same dimmed with the pause picture
//   assetgen --card-scene FILE         the same dimmed with the how-to-play card
// The output is the same bytes on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "AssetCatalog.h"
#include "FileFormats.h"
#include "Preview.h"

namespace {

constexpr int kExitUsage = 2;

void Usage()
{
    std::fputs("usage: assetgen [DATA_DIR] [--icons DIR] [--contact-sheet FILE] [--scene FILE]"
               " [--menu-scene FILE] [--pause-scene FILE]"
               " [--card-scene FILE]\n",
               stderr);
}

bool WritePreview(const std::string& path, const std::function<CCanvas()>& make)
{
    if (WriteFile(path, EncodeBmp24(make())))
        return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return false;
}

int Run(int argc, char** argv)
{
    std::string dataDir;
    std::string iconDir;
    struct Request {
        std::string path;
        std::function<CCanvas()> make;
    };
    std::vector<Request> previews;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::function<CCanvas()> make;
        if (arg == "--contact-sheet")
            make = preview::ContactSheet;
        else if (arg == "--scene")
            make = preview::PlayScene;
        else if (arg == "--menu-scene")
            make = preview::MenuScene;
        else if (arg == "--pause-scene")
            make = preview::PauseScene;
        else if (arg == "--card-scene")
            make = preview::HowToPlayScene;
        else if (arg == "--help" || arg == "-h") {
            Usage();
            return 0;
        } else if (arg == "--icons") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "assetgen: %s needs a folder name\n", argv[i]);
                return kExitUsage;
            }
            iconDir = argv[++i];
            continue;
        }
        if (make) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "assetgen: %s needs a file name\n", argv[i]);
                return kExitUsage;
            }
            previews.push_back({argv[++i], make});
        } else if (arg.starts_with("-") || !dataDir.empty()) {
            std::fprintf(stderr, "assetgen: unexpected argument %s\n", argv[i]);
            Usage();
            return kExitUsage;
        } else {
            dataDir = arg;
        }
    }
    if (dataDir.empty() && iconDir.empty() && previews.empty()) {
        Usage();
        return kExitUsage;
    }
    if (!dataDir.empty()) {
        std::string error;
        if (!WriteAssets(dataDir, error)) {
            std::fprintf(stderr, "assetgen: %s\n", error.c_str());
            return 1;
        }
    }
    if (!iconDir.empty()) {
        std::string error;
        if (!WriteIcons(iconDir, error)) {
            std::fprintf(stderr, "assetgen: %s\n", error.c_str());
            return 1;
        }
    }
    for (const Request& request : previews) {
        if (!WritePreview(request.path, request.make))
            return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetgen: %s\n", error.what());
        return 1;
    }
}
