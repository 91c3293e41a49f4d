// The graphics service the plug-ins see: images by handle, sprites in drawing order, the
// fullscreen switch. Drawing order: a sprite showing a background image at the bottom, then
// layers by the kind of entity that made the sprite (SpriteLayer, set by the engine while an
// entity runs), creation order within a layer; so a demon born late never covers the HUD.
// Drawing is the front ends' business; they read the images and sprites here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "formats/BmpCodec.h"
#include "engine/HostSprite.h"
#include "engine/SpriteLayers.h"
#include "engine/SpriteList.h"
#include "VantorEngine.h"

struct AssetLocation;   // engine/AssetFiles.h

// A row's run of pixels that all draw the same way: copied (alpha 255) or blended. Pixels of
// alpha 0 are in no run, so drawing skips them without looking.
struct PixelRun {
    uint16_t start;
    uint16_t length;
    bool blended;
};

// Every row's runs, found once at load so drawing a sprite does no per-pixel tests.
struct PixelRuns {
    std::vector<PixelRun> runs;
    std::vector<uint32_t> rowStart;   // row r's runs are runs[rowStart[r]] up to rowStart[r + 1]
};

PixelRuns FindPixelRuns(const Bitmap& bitmap);

// The file an image was decoded from, as it was then.
struct ImageSource {
    std::string file;
    std::filesystem::file_time_type written{};
    std::uintmax_t size = 0;
    bool opaque = false;
    bool known = false;   // the file's time and size could be read

    static ImageSource Of(const std::filesystem::path& file, bool opaque);
    // The same file, in the same state, decoded the same way.
    bool operator==(const ImageSource& other) const;
};

struct LoadedImage {
    std::string name;    // as the plug-in named it, with '/'
    Bitmap bitmap;       // alpha ready for drawing (colour key applied)
    PixelRuns runs;      // of bitmap
    ImageSource source;
};

class CGraphicsService final : public CVantorGraphics {
public:
    using Reporter = std::function<void(const std::string&)>;
    // Where an image comes from: decoded as stored, or false with the reason. By default the file
    // the location names; a test may hand in pictures of its own, every other rule staying ours.
    using ImageReader = std::function<bool(const AssetLocation& location, Bitmap& bitmap, std::string& error)>;

    explicit CGraphicsService(std::filesystem::path dataDirectory);

    int LoadImage(const char* path, int flags) override;
    int LoadBackgroundImage(const char* path) override;
    CVantorSprite* CreateSprite(int frameCount, const int* frames) override;
    void DestroySprite(CVantorSprite* sprite) override;
    void UnloadImages() override;
    void SetFullscreen(bool fullscreen) override;
    // Unloads every image, the set kept for a restart too: for a session that has ended.
    void ReleaseImages();

    // The layer of the sprites made from now on (the engine sets it around each entity's code),
    // or of the next one only (made for an entity just created); see CSpriteList.
    void SetCreatorLayer(SpriteLayer layer) { sprites.SetCreatorLayer(layer); }
    void SetNextSpriteLayer(SpriteLayer layer) { sprites.SetNextSpriteLayer(layer); }
    std::size_t SpriteCount() const { return sprites.Count(); }
    SpriteLayer CreatorLayer() const { return sprites.CreatorLayer(); }

    // Null for a handle that is negative, unknown or unloaded.
    const LoadedImage* Image(int handle) const;
    const std::list<CHostSprite>& Sprites() const { return sprites.InDrawingOrder(); }
    bool Fullscreen() const { return fullscreen; }
    // Who hears of a failed load ("images/Arrow.bmp: file not found") and of a fullscreen switch.
    void SetLoadReporter(Reporter reporter) { loadReporter = std::move(reporter); }
    void SetFullscreenHandler(std::function<void(bool)> handler);
    const std::function<void(bool)>& FullscreenHandler() const { return fullscreenHandler; }
    void SetImageReader(ImageReader reader) { readImage = std::move(reader); }

    // Reads and decodes an image file: alpha as drawn (flags 0), or opaque for a background.
    static bool LoadBitmapFile(const std::filesystem::path& file, bool opaque, Bitmap& bitmap,
                               std::string& error);

private:
    int Load(const char* path, bool opaque);
    // Gives the image a new handle.
    int Keep(const std::string& name, LoadedImage image);
    // Takes the image of the file back from the last unloaded set if the file is unchanged.
    bool TakeUnloaded(const ImageSource& source, LoadedImage& image);

    std::filesystem::path dataDirectory;
    ImageReader readImage;
    std::unordered_map<int, LoadedImage> images;
    std::unordered_map<std::string, LoadedImage> unloaded;   // by file: the last set unloaded
    int nextHandle = 0;
    std::unordered_set<int> backgroundImages;   // handles loaded by LoadBackgroundImage
    CSpriteList sprites;
    bool fullscreen = false;
    Reporter loadReporter;
    std::function<void(bool)> fullscreenHandler;
};
