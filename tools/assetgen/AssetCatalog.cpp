// The file list and the writer.
#include "AssetCatalog.h"

#include <system_error>

#include "Art.h"
#include "FileFormats.h"
#include "Sounds.h"
#include "Synth.h"

const std::vector<ImageAsset>& ImageAssets()
{
    static const std::vector<ImageAsset> assets = {
#define ASSET_IMAGE(name, format, drawing) {name ".bmp", ImageFormat::format, drawing},
#define ASSET_DIGIT(name, digit) {name ".bmp", ImageFormat::Rgba32, [] { return art::Digit(digit); }},
#define ASSET_SOUND(name, synthesis)
#define ASSET_ICON(size)
#include "AssetList.def"
#undef ASSET_IMAGE
#undef ASSET_DIGIT
#undef ASSET_SOUND
#undef ASSET_ICON
    };
    return assets;
}

const std::vector<SoundAsset>& SoundAssets()
{
    static const std::vector<SoundAsset> assets = {
#define ASSET_IMAGE(name, format, drawing)
#define ASSET_DIGIT(name, digit)
#define ASSET_SOUND(name, synthesis) {name ".wav", synthesis},
#define ASSET_ICON(size)
#include "AssetList.def"
#undef ASSET_IMAGE
#undef ASSET_DIGIT
#undef ASSET_SOUND
#undef ASSET_ICON
    };
    return assets;
}

const std::vector<int>& IconSizes()
{
    static const std::vector<int> sizes = {
#define ASSET_IMAGE(name, format, drawing)
#define ASSET_DIGIT(name, digit)
#define ASSET_SOUND(name, synthesis)
#define ASSET_ICON(size) size,
#include "AssetList.def"
#undef ASSET_IMAGE
#undef ASSET_DIGIT
#undef ASSET_SOUND
#undef ASSET_ICON
    };
    return sizes;
}

std::filesystem::path IconPath(int size)
{
    const std::string square = std::to_string(size) + "x" + std::to_string(size);
    return std::filesystem::path("hicolor") / square / "apps" / "vantor.png";
}

std::filesystem::path WindowsIconPath()
{
    return "vantor.ico";
}

int SoundSampleRate()
{
    return synth::kSampleRate;
}

bool WriteAssets(const std::filesystem::path& dataDir, std::string& error)
{
    const std::filesystem::path images = dataDir / "images";
    const std::filesystem::path sounds = dataDir / "sounds";
    for (const auto& folder : {images, sounds}) {
        std::error_code code;
        std::filesystem::create_directories(folder, code);
        if (code) {
            error = "cannot create " + folder.string() + ": " + code.message();
            return false;
        }
    }
    for (const ImageAsset& asset : ImageAssets()) {
        const CCanvas canvas = asset.make();
        const Bytes bytes = asset.format == ImageFormat::Rgb24 ? EncodeBmp24(canvas) : EncodeBmp32(canvas);
        if (!WriteFile(images / asset.name, bytes)) {
            error = "cannot write " + (images / asset.name).string();
            return false;
        }
    }
    for (const SoundAsset& asset : SoundAssets()) {
        if (!WriteFile(sounds / asset.name, EncodeWav16(asset.make(), SoundSampleRate()))) {
            error = "cannot write " + (sounds / asset.name).string();
            return false;
        }
    }
    return true;
}

bool WriteIcons(const std::filesystem::path& iconDir, std::string& error)
{
    std::vector<CCanvas> all;
    for (int size : IconSizes()) {
        const std::filesystem::path path = iconDir / IconPath(size);
        std::error_code code;
        std::filesystem::create_directories(path.parent_path(), code);
        if (code) {
            error = "cannot create " + path.parent_path().string() + ": " + code.message();
            return false;
        }
        all.push_back(art::Icon(size));
        if (!WriteFile(path, EncodePng(all.back()))) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    if (!WriteFile(iconDir / WindowsIconPath(), EncodeIco(all))) {
        error = "cannot write " + (iconDir / WindowsIconPath()).string();
        return false;
    }
    return true;
}
