// What one poll of the input plug-in costs: the mapping of a keyboard and pad state to posts,
// and a whole Poll (keyboard read, pad read, mapping) over the stand-in's virtual devices.
#include <benchmark/benchmark.h>

#include "ActionMapping.h"
#include "PostRecorder.h"
#include "VantorInputDI.h"
#include "VantorPlatform.h"

namespace {

// Only the plug-in is measured: the engine counts the posts and keeps nothing.
PostRecorder CountingEngine()
{
    PostRecorder engine;
    engine.keep = false;
    return engine;
}

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
    PostRecorder engine = CountingEngine();
    for (auto _ : state) {
        PostInputActions(engine, keys, &pad);
    }
    state.counters["posts/poll"] = static_cast<double>(engine.count) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Mapping)->Arg(0)->Arg(1);

void BM_PollVirtualDevices(benchmark::State& state)
{
    PlatformSetBackend(PlatformBackend::Virtual);
    PlatformVirtualReset();
    PostRecorder engine = CountingEngine();
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
    state.counters["posts/poll"] = static_cast<double>(engine.count) / static_cast<double>(state.iterations());
    if (state.range(0) != 0) {
        // Goal: a poll with every action held under 250 ns of processor time (lower is better).
        state.counters["goal"] = 250;
        state.counters["measured"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e-9,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        state.counters["better"] = -1;
    }
    PlatformVirtualReset();
}
BENCHMARK(BM_PollVirtualDevices)->Arg(0)->Arg(1);

}  // namespace
