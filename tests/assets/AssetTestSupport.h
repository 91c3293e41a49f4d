// Where the built assets are and how the tests read them: through SDL2, like the host.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace assettest {

inline std::filesystem::path DataDir()
{
    return VANTOR_TEST_DATA_DIR;
}

inline std::filesystem::path ImagePath(const std::string& name)
{
    return DataDir() / "images" / name;
}

inline std::filesystem::path SoundPath(const std::string& name)
{
    return DataDir() / "sounds" / name;
}

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

inline Surface LoadBmp(const std::filesystem::path& path)
{
    return Surface(SDL_LoadBMP(path.string().c_str()));
}

// The picture as SDL decodes it, one RGBA pixel per entry, rows top to bottom.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<SDL_Color> data;
    const SDL_Color& At(int x, int y) const { return data[static_cast<std::size_t>(y * width + x)]; }
};

inline Pixels ReadPixels(SDL_Surface* surface)
{
    Pixels out;
    Surface rgba(SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba)
        return out;
    out.width = rgba->w;
    out.height = rgba->h;
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch;
        for (int x = 0; x < rgba->w; ++x)
            out.data.push_back(SDL_Color{row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
    }
    return out;
}

inline Pixels ReadImage(const std::string& name)
{
    Surface surface = LoadBmp(ImagePath(name));
    return surface ? ReadPixels(surface.get()) : Pixels{};
}

}  // namespace assettest
