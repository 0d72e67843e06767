#include "small_world.h"

#include "game/world/world_step.h"

bool SmallWorld::dataSetBuilt() { return std::filesystem::is_directory(std::string(DOLVANE_RUN_DIR) + "/data"); }

SmallWorld::SmallWorld() : previousDirectory_(std::filesystem::current_path()) {
    std::error_code ignored;
    std::filesystem::current_path(DOLVANE_RUN_DIR, ignored);
    textures.setHeadless(true);
    scene.stageNumber = 1;
    scene.ground.load("data\\stage\\", "no such.ground");  // the level fallback ground
}

SmallWorld::~SmallWorld() {
    std::error_code ignored;
    std::filesystem::current_path(previousDirectory_, ignored);
}

Hero& SmallWorld::addHero(float x, float y) {
    auto hero = std::make_unique<Hero>(scene.stageNumber - 1);
    hero->z = 0.1f;
    Hero& added = add(std::move(hero), kHeroCategory, kEnemyCategory | kItemCategory | 1u, {x, y});
    scene.hero = &added;
    return added;
}

void SmallWorld::press(std::uint32_t held) {
    keys.keys = held;
    pad.sample();
}

void SmallWorld::frame(std::uint32_t held) {
    press(held);
    stepWorld(scene.objects, scene.ground);
}
