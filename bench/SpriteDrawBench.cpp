// Drawing 1000 moving, alpha-blended 32-pixel sprites (the game's own images from
// <build>/bin/data) into a 640 by 480 picture: our software renderer against SDL's own software
// renderer on the same work, side by side in one run. Goal: ours at least 1.5 times as fast.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "VantorScreen.h"
#include "engine/GraphicsService.h"
#include "engine/SoftwareRenderer.h"

namespace {

constexpr int kSprites = 1000;
constexpr double kGoalRatio = 1.5;
const char* const kImages[] = {"images\\Fireball.bmp", "images\\Hiro.bmp", "images\\AmmoBox.bmp",
                               "images\\Shooter.bmp"};

struct Placed {
    int image;
    float x;
    float y;
};

// Where sprite i is on the given frame: each drifts on its own path across the whole screen.
Placed Where(int i, int64_t frame)
{
    const float t = static_cast<float>(frame % 600);
    // Paths wrap a sprite's width beyond each edge, so every sprite also crosses the borders.
    constexpr int kMargin = 16;
    const float x = std::fmod(static_cast<float>((i * 37) % kScreenWidth) + t * static_cast<float>(1 + i % 3),
                              static_cast<float>(kScreenWidth + 2 * kMargin)) - kMargin;
    const float y = std::fmod(static_cast<float>((i * 53) % kScreenHeight) + t * static_cast<float>(1 + i % 2),
                              static_cast<float>(kScreenHeight + 2 * kMargin)) - kMargin;
    return {i % 4, x, y};
}

using Clock = std::chrono::steady_clock;

void BM_SpritesAgainstSdl(benchmark::State& state)
{
    CGraphicsService graphics(std::filesystem::path(VANTOR_BIN_DIR) / "data");
    std::vector<const LoadedImage*> images;
    for (const char* name : kImages) {
        const LoadedImage* image = graphics.Image(graphics.LoadImage(name, 0));
        if (image == nullptr) {
            state.SkipWithError("the game's images are missing: is <build>/bin/data there?");
            return;
        }
        images.push_back(image);
    }

    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = surface != nullptr ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (renderer == nullptr) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    std::vector<SDL_Texture*> textures;
    for (const LoadedImage* image : images) {
        const Bitmap& bitmap = image->bitmap;
        SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                                 bitmap.width, bitmap.height);
        SDL_UpdateTexture(texture, nullptr, bitmap.pixels.data(), bitmap.width * 4);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        textures.push_back(texture);
    }

    CSoftwareRenderer ours;
    Clock::duration oursTime{};
    Clock::duration sdlTime{};
    int64_t frame = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::fill(const_cast<Bitmap&>(ours.Canvas()).pixels.begin(), const_cast<Bitmap&>(ours.Canvas()).pixels.end(), 0xFF000000u);
        for (int i = 0; i < kSprites; ++i) {
            const Placed p = Where(i, frame);
            ours.DrawImage(*images[static_cast<std::size_t>(p.image)], p.x, p.y, false);
        }
        benchmark::DoNotOptimize(ours.Canvas().pixels.data());
        const Clock::time_point middle = Clock::now();
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (int i = 0; i < kSprites; ++i) {
            const Placed p = Where(i, frame);
            const SDL_Rect rect{static_cast<int>(std::lround(p.x - 16.0f)), static_cast<int>(std::lround(p.y - 16.0f)), 32, 32};
            SDL_RenderCopy(renderer, textures[static_cast<std::size_t>(p.image)], nullptr, &rect);
        }
        SDL_RenderFlush(renderer);
        benchmark::DoNotOptimize(surface->pixels);
        const Clock::time_point end = Clock::now();
        oursTime += middle - start;
        sdlTime += end - middle;
        ++frame;
    }
    const double frames = static_cast<double>(state.iterations());
    const double oursMs = std::chrono::duration<double, std::milli>(oursTime).count() / frames;
    const double sdlMs = std::chrono::duration<double, std::milli>(sdlTime).count() / frames;
    state.counters["ours_ms"] = oursMs;
    state.counters["sdl_ms"] = sdlMs;
    state.counters["speedup"] = sdlMs / oursMs;
    state.counters["goal"] = kGoalRatio;
    state.counters["measured"] = sdlMs / oursMs;   // scripts/bench's table: higher is better
    state.counters["better"] = 1;

    for (SDL_Texture* texture : textures) {
        SDL_DestroyTexture(texture);
    }
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}
BENCHMARK(BM_SpritesAgainstSdl)->Unit(benchmark::kMillisecond);

}  // namespace
