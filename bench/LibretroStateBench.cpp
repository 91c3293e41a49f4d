// The RetroArch core's save states, which are the recording so far played again into a fresh
// game: how long saving and loading take after 1, 5 and 20 minutes of busy play (walking both
// ways, firing, jumping; Retry after every game over). Loads the core with the tests' frontend.
// A game over is seen by the game's save of its high score (a new file each time): the next frame
// lets go of the stick, which would move the menu's arrow, and selects Retry.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <memory>

#include "TestFrontend.h"

namespace {

// A minute of play at 60 frames a second.
constexpr int kMinute = 60 * 60;

void Hold(PadFrame& pad, unsigned id)
{
    pad.buttons = static_cast<std::uint16_t>(pad.buttons | (1u << id));
}

PadFrame Busy(int frame)
{
    PadFrame pad;
    const int phase = frame % 240;
    if (phase < 100) {
        Hold(pad, RETRO_DEVICE_ID_JOYPAD_LEFT);
    } else if (phase < 200) {
        Hold(pad, RETRO_DEVICE_ID_JOYPAD_RIGHT);
    }
    if (frame % 45 < 3) {
        Hold(pad, RETRO_DEVICE_ID_JOYPAD_A);   // fire
    }
    if (frame % 90 == 50) {
        Hold(pad, RETRO_DEVICE_ID_JOYPAD_B);   // jump, or Retry on the menu
    }
    return pad;
}

// The high-score file's identity, which every save changes (0: none yet).
ino_t HighScoreFile(const std::filesystem::path& saves)
{
    struct stat status {};
    return stat((saves / "vantor" / "highscore").c_str(), &status) == 0 ? status.st_ino : 0;
}

// One core played for a number of minutes, kept for every benchmark of that length (one core
// loaded at a time: the frontend's callbacks find the newest).
CTestFrontend& PlayedFor(int minutes)
{
    static std::unique_ptr<CTestFrontend>* frontend = new std::unique_ptr<CTestFrontend>();   // never destroyed:
    static int played = -1;                                          // the core may be gone at exit
    if (played != minutes) {
        const std::filesystem::path saves = std::filesystem::temp_directory_path() / "vantor-state-bench";
        std::filesystem::remove_all(saves);
        frontend->reset();
        *frontend = std::make_unique<CTestFrontend>(VANTOR_CORE, saves);
        (*frontend)->Load();
        ino_t highScore = HighScoreFile(saves);
        for (int frame = 0; frame < minutes * kMinute; ++frame) {
            const ino_t now = HighScoreFile(saves);
            const bool gameOver = now != highScore;
            highScore = now;
            (*frontend)->Run(1, [gameOver](int at) {
                PadFrame pad = gameOver ? PadFrame{} : Busy(at);
                if (gameOver) {
                    Hold(pad, RETRO_DEVICE_ID_JOYPAD_B);
                }
                return pad;
            });
        }
        played = minutes;
    }
    return **frontend;
}

void BM_SaveState(benchmark::State& state)
{
    CTestFrontend& frontend = PlayedFor(static_cast<int>(state.range(0)));
    std::size_t used = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> saved = frontend.Save();
        used = saved.size();
        benchmark::DoNotOptimize(saved.data());
    }
    state.counters["state_bytes"] = static_cast<double>(used);
}
BENCHMARK(BM_SaveState)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_LoadState(benchmark::State& state)
{
    CTestFrontend& frontend = PlayedFor(static_cast<int>(state.range(0)));
    const std::vector<std::uint8_t> saved = frontend.Save();
    std::size_t recording = saved.size();
    while (recording > 0 && saved[recording - 1] == 0) {
        --recording;
    }
    for (auto _ : state) {
        if (!frontend.Restore(saved)) {
            state.SkipWithError("the state did not load");
            break;
        }
    }
    state.counters["recording_bytes"] = static_cast<double>(recording);
}
BENCHMARK(BM_LoadState)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
