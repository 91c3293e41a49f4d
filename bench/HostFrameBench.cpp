// The host's per-frame costs: the frame loop with many entities coming and going, drawing a
// full scene in software, and writing a trace line. A frame at 60 per second has 16.7 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "VantorScreen.h"
#include "formats/BmpCodec.h"
#include "engine/GraphicsService.h"
#include "engine/HostEngine.h"
#include "engine/SoftwareRenderer.h"
#include "engine/SoundService.h"
#include "session/TraceWriter.h"

namespace {

// Lives a few frames, like a bullet, then ends itself and makes a successor.
class CChurnEntity final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* newEngine) override
    {
        engine = newEngine;
        return true;
    }
    void Update() override
    {
        engine->GetFrameTime();
        if (--framesLeft <= 0) {
            CVantorEngine* keep = engine;
            keep->DestroyEntity(this);
            keep->CreateEntity("Churn");
        }
    }
    CVantorEngine* engine = nullptr;
    int framesLeft = 30;
};

class CBenchAssets {
public:
    CBenchAssets() : directory(std::filesystem::temp_directory_path() / "vantor-host-bench")
    {
        Write("Background.bmp", kScreenWidth, kScreenHeight, 0xFF336699u);
        Write("Sprite.bmp", 32, 32, 0xFFFF00FFu);   // magenta edge, coloured middle
    }
    ~CBenchAssets() { std::filesystem::remove_all(directory); }

    std::filesystem::path directory;

private:
    void Write(const char* name, int width, int height, uint32_t edge)
    {
        Bitmap bitmap;
        bitmap.width = width;
        bitmap.height = height;
        bitmap.pixels.assign(static_cast<std::size_t>(width * height), edge);
        for (int y = height / 4; y < height * 3 / 4; ++y) {
            for (int x = width / 4; x < width * 3 / 4; ++x) {
                bitmap.pixels[static_cast<std::size_t>(y * width + x)] = 0xFF20C040u;
            }
        }
        std::filesystem::create_directories(directory / "images");
        const std::vector<uint8_t> bytes = EncodeBmp24(bitmap);
        std::ofstream(directory / "images" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

void BM_FrameLoop(benchmark::State& state)
{
    CGraphicsService graphics("/nonexistent");
    CSilentSoundOutput silence;
    CSoundService sound("/nonexistent", silence);
    CHostEngine engine(graphics, sound);
    engine.SetFactory([](const char*) -> CVantorEntity* { return new CChurnEntity; });
    for (int64_t i = 0; i < state.range(0); ++i) {
        auto* entity = static_cast<CChurnEntity*>(engine.CreateEntity("Churn"));
        entity->framesLeft = static_cast<int>(1 + i % 30);
    }
    for (auto _ : state) {
        engine.PostAction("right");
        engine.RunFrame(1.0f / 60.0f, {});
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FrameLoop)->Arg(16)->Arg(256)->Arg(4096);

void BM_DrawScene(benchmark::State& state)
{
    CBenchAssets assets;
    CGraphicsService graphics(assets.directory);
    const int background = graphics.LoadBackgroundImage("images\\Background.bmp");
    const int sprite = graphics.LoadImage("images\\Sprite.bmp", 0);
    graphics.CreateSprite(1, &background)->SetPosition(320.0f, 240.0f);
    for (int64_t i = 0; i < state.range(0); ++i) {
        CVantorSprite* made = graphics.CreateSprite(1, &sprite);
        made->SetPosition(static_cast<float>(16 + (i * 37) % 608), static_cast<float>(16 + (i * 53) % 448));
        made->SetMirrored(i % 2 == 0);
    }
    CSoftwareRenderer renderer;
    for (auto _ : state) {
        renderer.DrawScene(graphics);
        benchmark::DoNotOptimize(renderer.Canvas().pixels.data());
    }
}
BENCHMARK(BM_DrawScene)->Arg(16)->Arg(64)->Arg(256);

void BM_TraceLine(benchmark::State& state)
{
    CBenchAssets assets;
    CGraphicsService graphics(assets.directory);
    const int sprite = graphics.LoadImage("images\\Sprite.bmp", 0);
    for (int i = 0; i < 64; ++i) {
        graphics.CreateSprite(1, &sprite)->SetPosition(static_cast<float>(i) * 9.5f, 100.25f);
    }
    const std::vector<PostedAction> actions = {{"right", 1.0f}, {"shoot", 1.0f}};
    const std::vector<std::string> sounds = {"sounds/shoot.wav"};
    TraceFrame frame;
    frame.actions = &actions;
    frame.sounds = &sounds;
    frame.graphics = &graphics;
    for (auto _ : state) {
        ++frame.frame;
        benchmark::DoNotOptimize(FormatTraceLine(frame));
    }
}
BENCHMARK(BM_TraceLine);

}  // namespace
