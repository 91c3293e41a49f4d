// The list of every file the generator writes (from AssetList.def, which the build reads too),
// under the names and in the formats the game and the host load, and the calls that write them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"

enum class ImageFormat { Rgba32, Rgb24 };

struct ImageAsset {
    std::string name;                  // file name under images/
    ImageFormat format;
    std::function<CCanvas()> make;
};

struct SoundAsset {
    std::string name;                  // file name under sounds/
    std::function<std::vector<int16_t>()> make;
};

const std::vector<ImageAsset>& ImageAssets();
const std::vector<SoundAsset>& SoundAssets();
// The desktop icon's sizes in pixels, and where each goes under an icon folder
// (hicolor/NxN/apps/vantor.png, the freedesktop icon theme layout).
const std::vector<int>& IconSizes();
std::filesystem::path IconPath(int size);
// The same sizes in one Windows icon file, for the program and its installer.
std::filesystem::path WindowsIconPath();
int SoundSampleRate();

// Writes dataDir/images/* and dataDir/sounds/*, creating the folders. On failure returns false
// with a message naming the file in error.
bool WriteAssets(const std::filesystem::path& dataDir, std::string& error);
// Writes iconDir/hicolor/NxN/apps/vantor.png for every icon size, and iconDir/vantor.ico; false
// with a message on failure.
bool WriteIcons(const std::filesystem::path& iconDir, std::string& error);
