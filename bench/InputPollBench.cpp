// What one poll of the input plug-in costs: the mapping of a keyboard and pad state to posts,
// and a whole Poll (keyboard read, pad read, mapping) over the stand-in's virtual devices.
#include <benchmark/benchmark.h>

#include "ActionMapping.h"
#include "VantorInputDI.h"
#include "VantorPlatform.h"

namespace {

// An engine that takes the posts and keeps nothing, so that only the plug-in is measured.
class DiscardingEngine : public CVantorEngine {
public:
    CVantorGraphics* GetGraphics() override { return nullptr; }
    CVantorSound* GetSound() override { return nullptr; }
    float GetFrameTime() override { return 0.0f; }
    CVantorEntity* CreateEntity(const char*) override { return nullptr; }
    void DestroyEntity(CVantorEntity*) override {}
    void PostAction(const char* name) override { benchmark::DoNotOptimize(name); ++posts; }
    void PushAction(ActionRecord action) override { benchmark::DoNotOptimize(action); ++posts; }
    std::list<ActionRecord>& GetActions() override { return queue; }

    int64_t posts = 0;

private:
    std::list<ActionRecord> queue;
};

constexpr int kHeldKeys[] = {DIK_UP, DIK_LEFT, DIK_DOWN, DIK_RIGHT, DIK_SPACE, DIK_ESCAPE, DIK_P, DIK_RETURN};

// Nothing held, or everything that posts held at once (the most posts a poll can make).
void BM_Mapping(benchmark::State& state)
{
    const bool held = state.range(0) != 0;
    BYTE keys[kKeyboardStateSize] = {};
    XINPUT_GAMEPAD pad{};
    if (held) {
        for (int key : kHeldKeys) {
            keys[key] = 0x80;
        }
        pad.sThumbLX = -32768;
        pad.sThumbLY = 20000;
        pad.wButtons = XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_B | XINPUT_GAMEPAD_START;
    }
    DiscardingEngine engine;
    for (auto _ : state) {
        PostInputActions(engine, keys, &pad);
    }
    state.counters["posts/poll"] = static_cast<double>(engine.posts) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Mapping)->Arg(0)->Arg(1);

void BM_PollVirtualDevices(benchmark::State& state)
{
    PlatformSetBackend(PlatformBackend::Virtual);
    PlatformVirtualReset();
    DiscardingEngine engine;
    CVantorInputDI input;
    if (!input.Initialize(&engine)) {
        state.SkipWithError("the stand-in's devices could not be created");
        return;
    }
    if (state.range(0) != 0) {
        for (int key : kHeldKeys) {
            PlatformVirtualKey(static_cast<uint8_t>(key), true);
        }
        PlatformVirtualPadConnected(true);
        PlatformVirtualPadStick(-32768, 20000);
        PlatformVirtualPadButton(XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_B | XINPUT_GAMEPAD_START, true);
    }
    for (auto _ : state) {
        input.Poll();
    }
    state.counters["posts/poll"] = static_cast<double>(engine.posts) / static_cast<double>(state.iterations());
    PlatformVirtualReset();
}
BENCHMARK(BM_PollVirtualDevices)->Arg(0)->Arg(1);

}  // namespace
