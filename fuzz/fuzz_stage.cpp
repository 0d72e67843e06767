// A stage from one input: its ground, scenery, two enemy waves and items (data\stage\0.ground, .bos,
// .enemies, .enemies2, .items, in that order, split at lines of "%%"), started in a game scene without
// a window and run for 100 world steps. The figures come from the data set named by the environment
// variable DOLVANE_FUZZ_DATA (a folder holding data/), else from the default build's data set; without
// one every figure is an empty puppet.
#include "fuzz_files.h"
#include "game/flow/game_scene.h"
#include "game/graphics/curtain.h"
#include "game/graphics/texture_cache.h"
#include "puppet/model/pose.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// The scene without sound: the game's audio requests go nowhere.
class QuietGameScene final : public GameScene {
protected:
    void playSound(const char*) override {}
    void playMusic(const char*) override {}
};

// A curtain already hoisted clear of the screen: behind a hanging or moving one the world stands
// still, and the point is to run the stage's world.
const Curtain& liftedCurtain() {
    static const Curtain lifted = [] {
        Curtain cloth;
        cloth.lift();
        for (int i = 0; i < 10000 && !cloth.isLifted(); ++i) cloth.step();
        return cloth;
    }();
    return lifted;
}

// Links every folder of the data set's data/ but stage/ into the scratch folder.
void linkDataSet(const fs::path& set) {
    std::error_code error;
    fs::create_directories("data/stage");
    if (!fs::is_directory(set, error)) return;
    for (const auto& entry : fs::directory_iterator(set, error)) {
        if (entry.path().filename() == "stage") continue;
        fs::create_symlink(entry.path(), fs::path("data") / entry.path().filename(), error);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    absoluteFuzzArguments(argc, argv);
    const char* given = std::getenv("DOLVANE_FUZZ_DATA");
    const fs::path set = fs::absolute(fs::path(given ? given : DOLVANE_DEFAULT_RUN_DIR) / "data");
    enterFuzzScratch();
    linkDataSet(set);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TextureCache* cache = [] {
        auto* made = new TextureCache();
        made->setHeadless(true);
        return made;
    }();
    const std::vector<std::string> pieces = splitFuzzInput(data, size, 5);
    const char* names[] = {"0.ground", "0.bos", "0.enemies", "0.enemies2", "0.items"};
    for (std::size_t i = 0; i < 5; ++i) writeFuzzFile(std::string("data/stage/") + names[i], pieces[i]);

    std::srand(1);
    {
        QuietGameScene scene;
        scene.menuState = 2;
        scene.mode = 0;
        scene.stageNumber = 1;
        scene.waitingForStart = false;
        scene.startStage();
        scene.curtain = liftedCurtain();
        if (!scene.curtain.isLifted()) std::abort();  // a harness that never runs the world tests nothing
        for (int i = 0; i < 100; ++i) scene.update();
    }
    PoseCache::instance().clear();  // figures' poses are read again with the next input's files
    cache->clear();
    return 0;
}
