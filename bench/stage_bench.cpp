// How fast stage 1 of each set runs unpaced on the real platform with the built data set: the game
// scene from the title's confirm, measured once the curtain is up and the world runs. Needs a display
// (bench/run-stage-bench uses Xvfb) and the data set in build/run.

#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "game/shell/game_app.h"
#include "platform/null/null_pointer.h"
#include "platform/null/scripted_pad.h"
#include "platform/sdl/sdl_platform.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

void BM_Stage1Unpaced(benchmark::State& state) {
    const bool crazy = state.range(0) == 1;
    SdlPlatform sdl;
    if (!sdl.started()) {
        state.SkipWithError("no display");
        return;
    }
    TextureCache textures;
    // Down picks the lower item; Z at frame 2 confirms.
    ReplayScript script;
    std::string error;
    script.parse(crazy ? "0-2 D\n2 Z\n" : "2 Z\n", error);
    ScriptedPad pad(std::move(script));
    NullPointer pointer;
    GameApp app(GamePlatform{sdl.window(), sdl.clock(), pad, pointer});
    app.setUnpaced();
    app.pushScene(std::make_unique<GameScene>());
    app.beginRun();
    GameScene* scene = GameScene::instance();
    for (int frame = 0; frame < 1000 && !(scene->hero && scene->curtain.isLifted()); ++frame) app.runFrame();
    if (!scene->curtain.isLifted()) {
        state.SkipWithError("the stage did not start");
        return;
    }
    for (auto _ : state) app.runFrame();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["objects"] = static_cast<double>(scene->objects.size());
    state.SetLabel(crazy ? "crazy set" : "normal set");
}
BENCHMARK(BM_Stage1Unpaced)->Arg(0)->Arg(1)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

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
