// Images by handle and sprites in drawing order.
#include "engine/GraphicsService.h"

#include <algorithm>
#include <climits>

#include "engine/AssetFiles.h"

namespace {
constexpr std::size_t kMaxImageFileBytes = 64u * 1024 * 1024;
constexpr uint32_t kColourKey = 0x00FF00FFu;   // magenta, transparent in images without alpha
constexpr uint32_t kRgbMask = 0x00FFFFFFu;
constexpr uint32_t kOpaque = 0xFF000000u;

bool ReadBmpFile(const AssetLocation& location, Bitmap& bitmap, std::string& error)
{
    std::vector<uint8_t> bytes;
    return ReadWholeFile(location.file, kMaxImageFileBytes, bytes, error) && DecodeBmp(bytes, bitmap, error);
}

// Alpha as drawn: every pixel opaque for a background, the colour key cleared for images without
// alpha of their own.
void PrepareAlpha(Bitmap& bitmap, bool opaque)
{
    if (opaque) {
        for (uint32_t& pixel : bitmap.pixels) {
            pixel |= kOpaque;
        }
    } else if (!bitmap.hasAlpha) {
        for (uint32_t& pixel : bitmap.pixels) {
            if ((pixel & kRgbMask) == kColourKey) {
                pixel &= kRgbMask;
            }
        }
    }
    bitmap.opaque = std::all_of(bitmap.pixels.begin(), bitmap.pixels.end(),
                                [](uint32_t pixel) { return (pixel & kOpaque) == kOpaque; });
}

}  // namespace

CGraphicsService::CGraphicsService(std::filesystem::path directory)
    : dataDirectory(std::move(directory)), readImage(ReadBmpFile)
{
}

bool CGraphicsService::LoadBitmapFile(const std::filesystem::path& file, bool opaque,
                                      Bitmap& bitmap, std::string& error)
{
    if (!ReadBmpFile(AssetLocation{file, {}}, bitmap, error)) {
        return false;
    }
    PrepareAlpha(bitmap, opaque);
    return true;
}

PixelRuns FindPixelRuns(const Bitmap& bitmap)
{
    PixelRuns found;
    found.rowStart.reserve(static_cast<std::size_t>(bitmap.height) + 1);
    for (int row = 0; row < bitmap.height; ++row) {
        found.rowStart.push_back(static_cast<uint32_t>(found.runs.size()));
        const uint32_t* pixels = &bitmap.pixels[static_cast<std::size_t>(row * bitmap.width)];
        int column = 0;
        while (column < bitmap.width) {
            const uint32_t alpha = pixels[column] >> 24;
            if (alpha == 0) {
                ++column;
                continue;
            }
            const bool blended = alpha != 255;
            int end = column + 1;
            // A run is at most 65535 pixels long; wider rows simply have more runs.
            while (end < bitmap.width && end - column < 0xFFFF) {
                const uint32_t next = pixels[end] >> 24;
                if (next == 0 || (next != 255) != blended) {
                    break;
                }
                ++end;
            }
            found.runs.push_back({static_cast<uint16_t>(column), static_cast<uint16_t>(end - column), blended});
            column = end;
        }
    }
    found.rowStart.push_back(static_cast<uint32_t>(found.runs.size()));
    return found;
}

int CGraphicsService::Load(const char* path, bool opaque)
{
    AssetLocation location;
    std::string error;
    LoadedImage image;
    const bool resolved = ResolveAsset(dataDirectory, path, location, error);
    // Read before the file is, so a change while decoding is seen on the next load.
    const ImageSource source = resolved ? ImageSource::Of(location.file, opaque) : ImageSource{};
    if (resolved && TakeUnloaded(source, image)) {
        return Keep(location.name, std::move(image));
    }
    if (!resolved || !readImage(location, image.bitmap, error)) {
        if (loadReporter) {
            loadReporter(LoadFailure(location, error));
        }
        return -1;
    }
    PrepareAlpha(image.bitmap, opaque);
    image.source = source;
    image.runs = FindPixelRuns(image.bitmap);
    return Keep(location.name, std::move(image));
}

int CGraphicsService::Keep(const std::string& name, LoadedImage image)
{
    if (nextHandle == INT_MAX) {
        return -1;
    }
    image.name = name;
    const int handle = nextHandle++;
    images.emplace(handle, std::move(image));
    return handle;
}

bool CGraphicsService::TakeUnloaded(const ImageSource& source, LoadedImage& image)
{
    const auto found = unloaded.find(source.file);
    if (found == unloaded.end() || !(found->second.source == source)) {
        return false;
    }
    image = std::move(found->second);
    unloaded.erase(found);
    return true;
}

ImageSource ImageSource::Of(const std::filesystem::path& file, bool opaque)
{
    ImageSource source;
    source.file = file.string();
    std::error_code code;
    source.written = std::filesystem::last_write_time(file, code);
    source.size = code ? 0 : std::filesystem::file_size(file, code);
    source.known = !code;
    source.opaque = opaque;
    return source;
}

bool ImageSource::operator==(const ImageSource& other) const
{
    return known && other.known && file == other.file && written == other.written && size == other.size &&
           opaque == other.opaque;
}

int CGraphicsService::LoadImage(const char* path, int /*flags: only 0 is in use*/)
{
    return Load(path, false);
}

int CGraphicsService::LoadBackgroundImage(const char* path)
{
    const int handle = Load(path, true);
    if (handle >= 0) {
        backgroundImages.insert(handle);
    }
    return handle;
}

CVantorSprite* CGraphicsService::CreateSprite(int frameCount, const int* frames)
{
    const bool background = frameCount > 0 && frames != nullptr && backgroundImages.count(frames[0]) != 0;
    return sprites.Create(frameCount, frames, background);
}

void CGraphicsService::DestroySprite(CVantorSprite* sprite)
{
    sprites.Destroy(sprite);
}

void CGraphicsService::UnloadImages()
{
    // A game unloads and loads the same images on every restart: the last set unloaded is kept,
    // and taken back for a file that has not changed since, instead of being decoded again.
    unloaded.clear();
    for (auto& [handle, image] : images) {
        if (image.source.known) {
            unloaded.insert_or_assign(image.source.file, std::move(image));
        }
    }
    images.clear();
    // Handles are never reused, so the set may keep its entries; clearing it is only tidier.
    backgroundImages.clear();
}

void CGraphicsService::ReleaseImages()
{
    UnloadImages();
    unloaded.clear();
}

void CGraphicsService::SetFullscreen(bool value)
{
    fullscreen = value;
    if (fullscreenHandler) {
        fullscreenHandler(value);
    }
}

void CGraphicsService::SetFullscreenHandler(std::function<void(bool)> handler)
{
    fullscreenHandler = std::move(handler);
}

const LoadedImage* CGraphicsService::Image(int handle) const
{
    const auto found = images.find(handle);
    return found == images.end() ? nullptr : &found->second;
}
