// The game as players run it, on the real platform with the built data set and the game's audio
// threads: the logo, the title and stage 1 with its first wave of enemies.
//  - Paced: how evenly the loop keeps 50 frames a second (period mean and standard deviation) and the
//    whole process's processor time, all threads, as a share of one core.
//  - Unpaced: the mean frame time through the main loop.
//  - Frame parts: where an unpaced frame's time goes: the scene's update, its drawing calls, the
//    renderer finishing the picture (glFinish) and the swap.
//  - Start to first frame, in process: from starting SDL to the logo's first frame presented.
// Needs a display (bench/run-shell-bench runs it under Xvfb and also times a whole process start).

#include "game/flow/game_scene.h"
#include "game/flow/logo_scene.h"
#include "game/graphics/texture_cache.h"
#include "game/shell/game_app.h"
#include "game/shell/pad_input.h"
#include "game/shell/pointer_input.h"
#include "platform/null/null_pointer.h"
#include "platform/null/scripted_pad.h"
#include "platform/sdl/sdl_platform.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

enum class Screen { kLogo, kTitle, kStage };

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double millisecondsBetween(SteadyClock::time_point from, SteadyClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The script that takes the game scene from the title into stage 1 of the normal set: Z at frame 2.
ReplayScript scriptFor(Screen screen) {
    ReplayScript script;
    std::string error;
    if (screen == Screen::kStage) script.parse("2 Z\n", error);
    return script;
}

// The game's platform, texture cache and application, its pad played from a script, brought to the
// screen to be measured: the logo at its start, the title, or stage 1 with its curtain up.
struct RunningGame {
    // When the making began and when each step of the start was done.
    SteadyClock::time_point begun = SteadyClock::now();
    SteadyClock::time_point sdlStarted, windowOpened, sceneEntered;
    SdlPlatform sdl;
    TextureCache textures;
    ScriptedPad pad;
    NullPointer pointer;
    std::unique_ptr<GameApp> app;
    std::string failure;

    RunningGame(Screen screen, bool paced) : pad(scriptFor(screen)) {
        sdlStarted = SteadyClock::now();
        if (!sdl.started() || sdl.unseen()) {
            failure = "no display: " + (sdl.started() ? std::string("SDL fell back to drawing unseen") : sdl.failure());
            return;
        }
        app = std::make_unique<GameApp>(GamePlatform{sdl.window(), sdl.clock(), pad, pointer});
        windowOpened = SteadyClock::now();
        if (!paced) app->setUnpaced();
        // The logo hands over to the game scene; the title and the stages are states of that scene.
        if (screen == Screen::kLogo) {
            app->pushScene(std::make_unique<LogoScene>());
        } else {
            app->pushScene(std::make_unique<GameScene>());
        }
        app->beginRun();
        sceneEntered = SteadyClock::now();
        if (screen != Screen::kStage) return;
        GameScene* scene = GameScene::instance();
        for (int frame = 0; frame < 1000 && !(scene->hero && scene->curtain.isLifted()); ++frame) app->runFrame();
        if (!scene->hero || !scene->curtain.isLifted()) failure = "stage 1 did not start";
    }

    Scene& top() const { return *app->sceneStack().back(); }
};

const char* screenName(Screen screen) {
    switch (screen) {
        case Screen::kLogo: return "logo";
        case Screen::kTitle: return "title";
        case Screen::kStage: return "stage 1";
    }
    return "";
}

void describe(benchmark::State& state, Screen screen) {
    std::string label = screenName(screen);
    if (const GameScene* scene = GameScene::instance(); screen == Screen::kStage && scene) {
        label += ", " + std::to_string(scene->objects.size()) + " objects, " +
                 std::to_string(scene->enemyCount()) + " enemies" + (scene->hero ? "" : ", hero gone");
    }
    state.SetLabel(label);
}

// Frame start to frame start of the paced loop, and processor time over the same span: the whole
// process (the renderer's and audio threads included) and the game's own thread.
void BM_Paced(benchmark::State& state, Screen screen) {
    RunningGame game(screen, true);
    if (!game.failure.empty()) return state.SkipWithError(game.failure.c_str());
    for (int warmUp = 0; warmUp < 10; ++warmUp) game.app->runFrame();
    std::vector<double> periods;
    periods.reserve(static_cast<std::size_t>(state.max_iterations));
    const std::size_t picturesBefore = game.textures.size();
    const double processBefore = cpuSeconds(RUSAGE_SELF);
    const double threadBefore = cpuSeconds(RUSAGE_THREAD);
    const auto start = SteadyClock::now();
    auto last = start;
    for (auto _ : state) {
        game.app->runFrame();
        const auto now = SteadyClock::now();
        periods.push_back(millisecondsBetween(last, now));
        last = now;
    }
    const double wallSeconds = millisecondsBetween(start, last) / 1000;
    const double processCpu = cpuSeconds(RUSAGE_SELF) - processBefore;
    const double threadCpu = cpuSeconds(RUSAGE_THREAD) - threadBefore;
    double mean = 0;
    for (double p : periods) mean += p;
    mean /= static_cast<double>(periods.size());
    double variance = 0, longest = 0;
    int late = 0;
    for (double p : periods) {
        variance += (p - mean) * (p - mean);
        if (p > longest) longest = p;
        if (p > 25) ++late;
    }
    variance /= static_cast<double>(periods.size());
    state.counters["period_ms"] = mean;
    state.counters["sd_ms"] = std::sqrt(variance);
    state.counters["max_ms"] = longest;
    // Periods over 25 ms, and pictures read during the span (a first use mid-play costs a decode).
    state.counters["late"] = late;
    state.counters["loads"] = static_cast<double>(game.textures.size() - picturesBefore);
    state.counters["cpu_pct"] = 100 * processCpu / wallSeconds;
    state.counters["game_thread_pct"] = 100 * threadCpu / wallSeconds;
    describe(state, screen);
}
// The logo lasts about 425 frames before it hands over, so it is measured over 400.
BENCHMARK_CAPTURE(BM_Paced, logo, Screen::kLogo)->Iterations(400)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Paced, title, Screen::kTitle)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Paced, stage1, Screen::kStage)->Iterations(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The main loop flat out: sample, update, draw, present, scene requests.
void BM_Unpaced(benchmark::State& state, Screen screen) {
    RunningGame game(screen, false);
    if (!game.failure.empty()) return state.SkipWithError(game.failure.c_str());
    for (int warmUp = 0; warmUp < 10; ++warmUp) game.app->runFrame();
    const double processBefore = cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) game.app->runFrame();
    const double frames = static_cast<double>(state.iterations());
    state.counters["process_cpu_ms"] = 1000 * (cpuSeconds(RUSAGE_SELF) - processBefore) / frames;
    describe(state, screen);
}
BENCHMARK_CAPTURE(BM_Unpaced, logo, Screen::kLogo)->Iterations(400)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Unpaced, title, Screen::kTitle)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Unpaced, stage1, Screen::kStage)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

// One frame taken apart, as the main loop would run it. Mesa's software renderer queues the drawing
// and rasterises it on its own threads; glFinish waits for that, so that the drawing calls and the
// rasterising are told apart. The swap then copies the finished picture to the window.
void BM_FrameParts(benchmark::State& state, Screen screen) {
    RunningGame game(screen, false);
    if (!game.failure.empty()) return state.SkipWithError(game.failure.c_str());
    for (int warmUp = 0; warmUp < 10; ++warmUp) game.app->runFrame();
    GameWindow& window = game.sdl.window();
    double update = 0, submit = 0, raster = 0, swap = 0;
    const double processBefore = cpuSeconds(RUSAGE_SELF);
    const double threadBefore = cpuSeconds(RUSAGE_THREAD);
    for (auto _ : state) {
        PointerInput::instance()->sample();
        PadInput::instance()->sample();
        Scene& scene = game.top();
        const auto t0 = SteadyClock::now();
        scene.update();
        const auto t1 = SteadyClock::now();
        scene.draw();
        const auto t2 = SteadyClock::now();
        glFinish();
        const auto t3 = SteadyClock::now();
        window.present();
        const auto t4 = SteadyClock::now();
        game.app->processSceneRequests();
        update += millisecondsBetween(t0, t1);
        submit += millisecondsBetween(t1, t2);
        raster += millisecondsBetween(t2, t3);
        swap += millisecondsBetween(t3, t4);
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["update_ms"] = update / frames;
    state.counters["draw_calls_ms"] = submit / frames;
    state.counters["finish_ms"] = raster / frames;
    state.counters["swap_ms"] = swap / frames;
    state.counters["process_cpu_ms"] = 1000 * (cpuSeconds(RUSAGE_SELF) - processBefore) / frames;
    state.counters["game_thread_cpu_ms"] = 1000 * (cpuSeconds(RUSAGE_THREAD) - threadBefore) / frames;
    describe(state, screen);
}
BENCHMARK_CAPTURE(BM_FrameParts, logo, Screen::kLogo)->Iterations(400)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FrameParts, title, Screen::kTitle)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FrameParts, stage1, Screen::kStage)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

// From nothing (SDL not started) to the logo's first frame presented, inside this process: what is
// left of the game's start once the program is loaded, in steps: starting SDL (the X connection),
// opening the window with its GL context (which loads the renderer), entering the logo (reading its
// puppet and pictures) and the first frame (the renderer compiles its shaders at the first drawing).
void BM_StartToFirstFrame(benchmark::State& state) {
    double sdl = 0, window = 0, scene = 0, frame = 0;
    for (auto _ : state) {
        auto game = std::make_unique<RunningGame>(Screen::kLogo, true);
        if (!game->failure.empty()) return state.SkipWithError(game->failure.c_str());
        game->app->runFrame();
        const auto shown = SteadyClock::now();
        state.SetIterationTime(millisecondsBetween(game->begun, shown) / 1000);
        sdl += millisecondsBetween(game->begun, game->sdlStarted);
        window += millisecondsBetween(game->sdlStarted, game->windowOpened);
        scene += millisecondsBetween(game->windowOpened, game->sceneEntered);
        frame += millisecondsBetween(game->sceneEntered, shown);
        game.reset();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["sdl_ms"] = sdl / runs;
    state.counters["window_gl_ms"] = window / runs;
    state.counters["logo_load_ms"] = scene / runs;
    state.counters["first_frame_ms"] = frame / runs;
}
BENCHMARK(BM_StartToFirstFrame)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::error_code failure;
    std::filesystem::current_path(DOLVANE_RUN_DIR, failure);
    if (failure) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
