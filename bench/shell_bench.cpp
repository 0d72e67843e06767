// The game loop on the real platform: how evenly the paced loop keeps 50 frames a second and what it
// costs in processor time, how fast the placeholder scene runs unpaced, and how long it takes from
// start to the first presented frame. Needs a display (bench/run-shell-bench uses Xvfb).

#include "game/graphics/texture_cache.h"
#include "game/placeholder_scene.h"
#include "game/shell/game_app.h"
#include "platform/sdl/sdl_platform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

// The game's platform, texture cache and application with the placeholder scene on top.
struct RunningGame {
    SdlPlatform sdl;
    TextureCache textures;
    std::unique_ptr<GameApp> app;

    explicit RunningGame(bool paced) {
        if (!sdl.started()) return;
        app = std::make_unique<GameApp>(GamePlatform{sdl.window(), sdl.clock(), sdl.pad(), sdl.pointer()});
        if (!paced) app->setUnpaced();
        app->pushScene(std::make_unique<PlaceholderScene>());
        app->beginRun();
    }
};

void BM_PacedFramePeriod(benchmark::State& state) {
    RunningGame game(true);
    if (!game.app) {
        state.SkipWithError("no display");
        return;
    }
    for (int warmUp = 0; warmUp < 10; ++warmUp) game.app->runFrame();
    std::vector<double> periods;
    periods.reserve(static_cast<std::size_t>(state.max_iterations));
    const double cpuBefore = processCpuSeconds();
    const auto wallStart = SteadyClock::now();
    auto last = SteadyClock::now();
    for (auto _ : state) {
        game.app->runFrame();
        const auto now = SteadyClock::now();
        periods.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    const double wallSeconds = millisecondsSince(wallStart) / 1000;
    double mean = 0;
    for (double p : periods) mean += p;
    mean /= static_cast<double>(periods.size());
    double variance = 0;
    for (double p : periods) variance += (p - mean) * (p - mean);
    variance /= static_cast<double>(periods.size());
    state.counters["period_mean_ms"] = mean;
    state.counters["period_stddev_ms"] = std::sqrt(variance);
    state.counters["cpu_percent"] = 100 * (processCpuSeconds() - cpuBefore) / wallSeconds;
}
BENCHMARK(BM_PacedFramePeriod)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UnpacedFrames(benchmark::State& state) {
    RunningGame game(false);
    if (!game.app) {
        state.SkipWithError("no display");
        return;
    }
    for (int warmUp = 0; warmUp < 10; ++warmUp) game.app->runFrame();
    for (auto _ : state) game.app->runFrame();
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UnpacedFrames)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

// From nothing (SDL not started) to the first frame presented.
void BM_StartToFirstFrame(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        const auto start = SteadyClock::now();
        auto game = std::make_unique<RunningGame>(true);
        if (!game->app) {
            state.SkipWithError("no display");
            return;
        }
        game->app->runFrame();
        const double elapsed = millisecondsSince(start);
        state.SetIterationTime(elapsed / 1000);
        total += elapsed;
        game.reset();
    }
    state.counters["first_frame_ms"] = total / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartToFirstFrame)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Default settings: no config\ or data\ in a fresh scratch folder.
    const auto folder = std::filesystem::temp_directory_path() / "dolvane-shell-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
