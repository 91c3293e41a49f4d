// The real vantor, headless, playing a scripted game (moving, shooting, retrying after each
// game over) with and without a trace: how many times faster than real time it runs. Start-up is
// taken out by also timing a one-frame run. Goals: 10,000 times real time without a trace,
// 3,000 times with one (written to /dev/null, so the disk is not what is measured); and a whole
// hour of play on the wall clock.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr long kFrames = 120000;          // 2000 seconds of play at 60 frames a second
constexpr long kHourFrames = 216000;      // an hour of play at 60 frames a second
// An hour of play, start-up included, in this many seconds on the wall clock (10,000 times
// real time): the best game is found without looking at the disk each few frames.
constexpr double kHourGoalSeconds = 0.36;
constexpr double kFrameTime = 1.0 / 60.0;

struct Cost {
    double wall = 0.0;
    double cpu = 0.0;
};

double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// In memory where the system has a place for it: the game makes its high-score save durable at
// every game over (an fsync), and it is the host, not the disk, that is measured.
std::filesystem::path BenchDirectory()
{
    std::error_code code;
    return std::filesystem::is_directory("/dev/shm", code) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

class CHeadlessRun {
public:
    CHeadlessRun() : directory(BenchDirectory() / "vantor-headless-bench")
    {
        std::filesystem::create_directories(directory / "work");
        std::ofstream script(directory / "play.txt");
        for (long start = 0; start < kHourFrames; start += 120) {
            script << start << " down RIGHT\n" << start + 50 << " up RIGHT\n"
                   << start + 51 << " down SPACE\n" << start + 55 << " up SPACE\n"
                   << start + 60 << " down LEFT\n" << start + 110 << " up LEFT\n"
                   << start + 111 << " down RETURN\n" << start + 113 << " up RETURN\n";
        }
    }
    ~CHeadlessRun() { std::filesystem::remove_all(directory); }

    // One whole run of the given number of frames; false if vantor failed.
    bool Run(long frames, bool trace, Cost& cost) const
    {
        std::filesystem::remove_all(directory / "work");
        const std::string command = std::string("'") + VANTOR_BIN_DIR + "/vantor' --headless --frames " +
                                    std::to_string(frames) + " --workdir '" + (directory / "work").string() +
                                    "' --input '" + (directory / "play.txt").string() + "'" +
                                    (trace ? " --trace /dev/null" : "") + " >/dev/null 2>&1";
        const double cpuBefore = ChildrenCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        cost.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cost.cpu += ChildrenCpuSeconds() - cpuBefore;
        return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    std::filesystem::path directory;
};

void BM_HeadlessPlay(benchmark::State& state)
{
    const bool trace = state.range(0) != 0;
    const double goal = trace ? 3000.0 : 10000.0;
    CHeadlessRun run;
    Cost startOnly;
    Cost whole;
    for (auto _ : state) {
        if (!run.Run(1, trace, startOnly) || !run.Run(kFrames + 1, trace, whole)) {
            state.SkipWithError("vantor failed to run headless");
            return;
        }
    }
    const double runs = static_cast<double>(state.iterations());
    const double played = kFrameTime * static_cast<double>(kFrames);
    const double wall = (whole.wall - startOnly.wall) / runs;
    const double cpu = (whole.cpu - startOnly.cpu) / runs;
    state.counters["frame_us"] = wall / static_cast<double>(kFrames) * 1e6;
    state.counters["x_realtime"] = played / wall;
    state.counters["x_realtime_cpu"] = played / cpu;
    state.counters["goal"] = goal;
    state.counters["measured"] = played / cpu;   // processor time: the machine is shared
    state.counters["better"] = 1;
}
void BM_HeadlessHour(benchmark::State& state)
{
    CHeadlessRun run;
    Cost hour;
    for (auto _ : state) {
        if (!run.Run(kHourFrames, false, hour)) {
            state.SkipWithError("vantor failed to run headless");
            return;
        }
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["wall_s"] = hour.wall / runs;
    state.counters["cpu_s"] = hour.cpu / runs;
    state.counters["goal"] = kHourGoalSeconds;
    state.counters["measured"] = hour.wall / runs;
    state.counters["better"] = -1;
}
BENCHMARK(BM_HeadlessHour)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK(BM_HeadlessPlay)->ArgName("trace")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
