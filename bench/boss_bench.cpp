// The heaviest scene the game makes: the last boss with 20 minions around it, the hero holding ten
// stars, a few words in the air, on stage 1's ground; stepped, and stepped and drawn, on the real
// platform (bench/run-boss-bench runs it under Xvfb with Mesa's software renderer).
//
// Enemy puppets that the built data set does not have yet are made up in a scratch folder beside it:
// the last boss from three bubbles (15 parts, a hand joint on part 14), every other missing kind a
// bubble. The counters say which were made up.

#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "game/shell/game_app.h"
#include "game/world/hero.h"
#include "game/world/pop_word.h"
#include "game/world/word.h"
#include "platform/null/null_pointer.h"
#include "platform/null/scripted_pad.h"
#include "platform/sdl/sdl_platform.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kMinionKinds[] = {"Hornet", "Pot", "HornetBoss", "Pinoko", "Imo", "Naganeko", "Clay", "Mask", "Egg"};
const char* const kEnemyFolders[] = {"hornet", "pot", "hornetboss", "pinoko", "imo", "naganeko", "clay", "mask", "egg"};
const char* const kPoseNames[] = {"normal", "n0", "at0", "at1", "at2", "at3", "w0", "w1", "a0",
                                  "a1",     "a2", "0",   "1",   "2",   "3",   "4",   "5",  "6"};
constexpr int kMinions = 20;
constexpr int kWords = 4;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The bubble's model with its parts taken from the bubble's folder, `copies` times over: the links of
// copy c join parts 5c to 5c + 4.
std::string bubbleModel(int copies) {
    std::string links, parts;
    const char* names[] = {"body", "foot", "foot", "face", "sprout"};
    for (int c = 0; c < copies; ++c) {
        for (int j = 0; j < 4; ++j) {
            links += "{joint_num=[" + std::to_string(j) + ",0,],length=0,part_num=[" + std::to_string(5 * c) + "," +
                     std::to_string(5 * c + j + 1) + ",],},";
        }
        for (const char* name : names) parts += std::string("..\\bubble\\") + name + ".part,";
    }
    return "{joints_link=[" + links + "],parts=[" + parts + "],}";
}

// The bubble's normal pose, repeated for every copy.
std::string bubblePose(const std::string& pose, int copies) {
    const std::size_t open = pose.find('['), close = pose.rfind(']');
    if (open == std::string::npos || close == std::string::npos || close <= open) return pose;
    const std::string body = pose.substr(open + 1, close - open - 1);
    std::string text = "[";
    for (int c = 0; c < copies; ++c) text += body;
    return text + "]";
}

// A folder that looks like the run folder: links to everything in it, and made-up enemy folders
// where the data set has none. Returns the folder to run in and the names of the made-up kinds.
fs::path prepareRunFolder(const fs::path& run, std::string& madeUp) {
    const fs::path puppets = run / "data" / "puppets";
    const fs::path scratch = fs::temp_directory_path() / "dolvane-boss-bench";
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
    for (const auto& entry : fs::directory_iterator(run)) {
        if (entry.path().filename() != "data") fs::create_directory_symlink(entry.path(), scratch / entry.path().filename(), ignored);
    }
    fs::create_directories(scratch / "data" / "puppets");
    for (const auto& entry : fs::directory_iterator(run / "data")) {
        if (entry.path().filename() != "puppets") {
            fs::create_directory_symlink(entry.path(), scratch / "data" / entry.path().filename(), ignored);
        }
    }
    for (const auto& entry : fs::directory_iterator(puppets)) {
        fs::create_directory_symlink(entry.path(), scratch / "data" / "puppets" / entry.path().filename(), ignored);
    }
    const std::string pose = readText(puppets / "bubble" / "normal.pose");
    auto makeUp = [&](const char* folder, int copies) {
        if (fs::exists(puppets / folder / "0.model")) return false;
        const fs::path dir = scratch / "data" / "puppets" / folder;
        writeText(dir / "0.model", bubbleModel(copies));
        for (const char* name : kPoseNames) writeText(dir / (std::string(name) + ".pose"), bubblePose(pose, copies));
        madeUp += std::string(madeUp.empty() ? "" : ",") + folder;
        return true;
    };
    for (const char* folder : kEnemyFolders) makeUp(folder, 1);
    if (makeUp("lastboss", 3)) {
        writeText(scratch / "data" / "lastboss" / "lastboss" / "normal.pose", bubblePose(pose, 3));
    }
    return scratch;
}

fs::path gRunFolder;
std::string gMadeUp;

// The game from the title to stage 1 with the hero holding X (ten stars), then the first wave
// replaced by the last boss and its minions.
struct BossScene {
    SdlPlatform sdl;
    TextureCache textures;
    ScriptedPad pad{script()};
    NullPointer pointer;
    std::unique_ptr<GameApp> app;
    GameScene* scene = nullptr;

    static ReplayScript script() {
        ReplayScript s;
        std::string error;
        s.parse("2 Z\n60-100000000 X\n", error);
        return s;
    }

    bool start() {
        if (!sdl.started()) return false;
        app = std::make_unique<GameApp>(GamePlatform{sdl.window(), sdl.clock(), pad, pointer});
        app->setUnpaced();
        app->pushScene(std::make_unique<GameScene>());
        app->beginRun();
        scene = GameScene::instance();
        for (int frame = 0; frame < 1000 && !(scene->hero && scene->curtain.isLifted()); ++frame) app->runFrame();
        if (!scene->hero) return false;
        // The first wave makes way; nothing else holds on to its enemies.
        std::erase_if(scene->objects, [](const auto& o) { return (o->category & kEnemyCategory) != 0; });
        const Vec2 at = scene->hero->position;
        scene->spawnEnemy("LastBoss", at.x + 4.0f, at.y + 3.0f, 100.0f, 1.5f);
        topUp();
        for (int frame = 0; frame < 200; ++frame) frameSetUp(), app->runFrame();
        return true;
    }
    // Keeps the scene as heavy as it was built: 20 minions, a few words, the hero alive.
    void topUp() {
        const Vec2 at = scene->hero->position;
        for (int i = scene->enemyCount() - 1; i < kMinions; ++i) {
            scene->spawnEnemy(kMinionKinds[i % 9], at.x + 2.0f + static_cast<float>(i % 7), 4.0f + static_cast<float>(i % 3), 100.0f, 1.0f);
        }
        int words = 0;
        for (const auto& o : scene->objects) words += dynamic_cast<Word*>(o.get()) != nullptr;
        for (; words < kWords; ++words) popWord("Don", 0.6f, {at.x + static_cast<float>(words), at.y + 2.0f});
    }
    void frameSetUp() {
        scene->hero->life = 1.0f;
        scene->hero->hurtTimer = 25;
        topUp();
    }
};

BossScene* gScene = nullptr;

void setCounters(benchmark::State& state) {
    state.counters["objects"] = static_cast<double>(gScene->scene->objects.size());
    state.counters["enemies"] = gScene->scene->enemyCount();
    state.SetLabel(gMadeUp.empty() ? "shipped puppets" : "made-up puppets: " + gMadeUp);
}

void BM_BossUpdate(benchmark::State& state) {
    if (!gScene) return state.SkipWithError("no display or no stage");
    for (auto _ : state) {
        state.PauseTiming();
        gScene->frameSetUp();
        state.ResumeTiming();
        gScene->scene->update();
    }
    setCounters(state);
}
BENCHMARK(BM_BossUpdate)->Iterations(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_BossUpdateAndDraw(benchmark::State& state) {
    if (!gScene) return state.SkipWithError("no display or no stage");
    for (auto _ : state) {
        state.PauseTiming();
        gScene->frameSetUp();
        state.ResumeTiming();
        gScene->scene->update();
        gScene->scene->draw();
        glFinish();  // the software renderer works behind the calls: count its work in the frame
    }
    setCounters(state);
}
BENCHMARK(BM_BossUpdateAndDraw)->Iterations(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    gRunFolder = prepareRunFolder(DOLVANE_RUN_DIR, gMadeUp);
    std::error_code failure;
    fs::current_path(gRunFolder, failure);
    if (failure) return 1;
    BossScene boss;
    if (boss.start()) gScene = &boss;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gScene = nullptr;
    std::error_code ignored;
    fs::current_path(DOLVANE_RUN_DIR, ignored);
    fs::remove_all(gRunFolder, ignored);
    return 0;
}
