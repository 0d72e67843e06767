// A stage from one input: its ground, scenery, two enemy waves and items (data\stage\0.ground, .bos,
// .enemies, .enemies2, .items, in that order, split at lines of "%%"), started in a game scene without
// a window and run for 100 world steps. The figures come from the data set named by the environment
// variable DOLVANE_FUZZ_DATA (a folder holding data/), else from the fuzz build's own data set; without
// one every figure is an empty puppet. Figures are cut to their first part unless the environment
// variable DOLVANE_FUZZ_WHOLE_FIGURES is set.
#include "fuzz_files.h"
#include "game/flow/game_scene.h"
#include "game/graphics/curtain.h"
#include "datatree/datatree.h"
#include "fuzz_textures.h"

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

// Mirrors the data set's data/ but stage/ into the scratch folder: every file linked, except that
// with cutFigures each model keeps only its first part and no links. A stage file fuzzer spends its
// time on the stage's own files; whole figures are the puppet target's business and would make each
// run of 100 steps several times slower. A figure of one real part still has real joints, bound
// circles and size, so a wild position or scale from a stage file still reaches the world.
void mirrorDataSet(const fs::path& set, bool cutFigures) {
    std::error_code error;
    fs::create_directories("data/stage");
    if (!fs::is_directory(set, error)) return;
    for (auto entry = fs::recursive_directory_iterator(set, error); entry != fs::recursive_directory_iterator();
         entry.increment(error)) {
        if (error) return;
        const fs::path relative = fs::relative(entry->path(), set, error);
        if (relative.begin()->string() == "stage") {
            if (entry->is_directory()) entry.disable_recursion_pending();
            continue;
        }
        const fs::path target = fs::path("data") / relative;
        if (entry->is_directory(error)) {
            fs::create_directories(target, error);
        } else if (cutFigures && entry->path().extension() == ".model") {
            DataRef root;
            readDataFile(entry->path().string(), root);
            DataRef& parts = root.member("parts");
            if (parts->size() > 1) parts->resize(1);
            root.member("joints_link")->clear();
            writeDataFile(target.string(), root);
        } else {
            fs::create_symlink(entry->path(), target, error);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    absoluteFuzzArguments(argc, argv);
    const char* given = std::getenv("DOLVANE_FUZZ_DATA");
    const fs::path set = fs::absolute(fs::path(given ? given : DOLVANE_DEFAULT_RUN_DIR) / "data");
    enterFuzzScratch();
    mirrorDataSet(set, std::getenv("DOLVANE_FUZZ_WHOLE_FIGURES") == nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextureCache& cache = headlessTextureCache();
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
    cache.clear();  // pictures named by the scenery file; poses come from the data set and stay cached
    return 0;
}
