// The file list and the writer.
#include "AssetCatalog.h"

#include <system_error>

#include "Art.h"
#include "FileFormats.h"
#include "Sounds.h"
#include "Synth.h"

const std::vector<ImageAsset>& ImageAssets()
{
    static const std::vector<ImageAsset> assets = [] {
        std::vector<ImageAsset> list = {
            {"Background.bmp", ImageFormat::Rgb24, art::Background},
            {"Hiro.bmp", ImageFormat::Rgba32, art::HiroStanding},
            {"Hiro-walk.bmp", ImageFormat::Rgba32, art::HiroWalking},
            {"Hiro-carry1.bmp", ImageFormat::Rgba32, art::HiroCarrying},
            {"Hiro-carry2.bmp", ImageFormat::Rgba32, art::HiroCarryingWalking},
            {"Shooter.bmp", ImageFormat::Rgba32, art::ShooterIdle},
            {"Shooter-fire.bmp", ImageFormat::Rgba32, art::ShooterFiring},
            {"AmmoBox.bmp", ImageFormat::Rgba32, art::AmmoBox},
            {"Bullet.bmp", ImageFormat::Rgba32, art::Bullet},
            {"Fireball.bmp", ImageFormat::Rgba32, art::Fireball},
            {"Demon.bmp", ImageFormat::Rgba32, art::DemonGlide},
            {"Demon-chew.bmp", ImageFormat::Rgba32, art::DemonChew},
            {"GameOver.bmp", ImageFormat::Rgba32, art::GameOver},
            {"Retry.bmp", ImageFormat::Rgba32, art::Retry},
            {"Quit.bmp", ImageFormat::Rgba32, art::Quit},
            {"Arrow.bmp", ImageFormat::Rgba32, art::Arrow},
            {"WordBubble.bmp", ImageFormat::Rgba32, art::WordBubble},
            {"Paused.bmp", ImageFormat::Rgba32, art::Paused},
            {"Icon.bmp", ImageFormat::Rgba32, art::Icon},
        };
        for (int digit = 0; digit <= 9; ++digit)
            list.push_back({std::to_string(digit) + ".bmp", ImageFormat::Rgba32, [digit] { return art::Digit(digit); }});
        return list;
    }();
    return assets;
}

const std::vector<SoundAsset>& SoundAssets()
{
    static const std::vector<SoundAsset> assets = {
        {"ammoup.wav", sounds::AmmoUp},   {"explosion.wav", sounds::Explosion},
        {"shoot.wav", sounds::Shoot},     {"fireball.wav", sounds::Fireball},
        {"hurt.wav", sounds::Hurt},       {"jump.wav", sounds::Jump},
    };
    return assets;
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
