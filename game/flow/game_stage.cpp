// The stages of the game scene: what a stage start loads and places, and the phases a stage runs
// through from its first wave to the clear.

#include "datatree/datatree.h"
#include "datatree/host_path.h"
#include "game/flow/game_scene.h"
#include "game/world/object_factory.h"
#include "game/world/star.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kStageMusic = "data\\music\\A.wav";
constexpr const char* kStaffMusic = "data\\music\\m1.wav";
constexpr const char* kBossMusic = "data\\music\\boss.wav";
constexpr const char* kClearMusic = "data\\music\\1.wav";

// Hero set-up at every stage start.
constexpr Vec2 kHeroStart{6.0f, 4.0f};
constexpr float kHeroDepth = 0.1f;
constexpr std::uint32_t kHeroMask = kEnemyCategory | kItemCategory | 1u;
// Enemies and items react to the hero and its stars (and to category 1, which nothing has).
constexpr std::uint32_t kSpawnMask = kHeroCategory | 1u;

// The words that pop up in play, after the stage's title.
constexpr const char* kPlayWords[] = {"Uki", "Don", "Ora", "Zaku", "Iyan", "Warning", "Clear"};

// A word rises from two units above the hero.
constexpr Vec2 kWordLift{0.0f, 0.06f};

// The values a stage list starts from, for keys missing from its first entry: positions 0, a life of
// 1 (what every object starts with) and a scale of 1 (the figure's own size).
struct ListEntry {
    std::string name;
    float x = 0.0f;
    float y = 0.0f;
    float life = 1.0f;
    float scale = 1.0f;
};

// Reads the entries of a stage list in file order. A key missing from an entry keeps the previous
// entry's value.
template <class Each>
void readList(const std::string& path, Each each) {
    DataRef root;
    readDataFile(hostPath(path), root);
    ListEntry entry;
    for (std::uint32_t i = 0; i < root->size(); ++i) {
        const DataRef& item = root->item(i);
        if (item.kind() != DataKind::Map) continue;
        const DataRef& name = item->find("name");
        if (name.kind() == DataKind::Text) entry.name = name->text();
        readFloat(item->find("x"), entry.x);
        readFloat(item->find("y"), entry.y);
        readFloat(item->find("life"), entry.life);
        readFloat(item->find("scale"), entry.scale);
        each(entry);
    }
}

std::string numbered(const char* pattern, std::int32_t number) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, number);
    return text;
}

}  // namespace

std::string GameScene::stageDirectory() const { return mode == 1 ? "data\\crazy\\" : "data\\stage\\"; }

void GameScene::startStage() {
    playMusic(inStaffStage() ? kStaffMusic : kStageMusic);
    stagePhase = 0;
    phaseTimer = 0;
    hero = nullptr;
    objects.clear();
    backgroundSprites.clear();

    std::unique_ptr<PuppetObject> newHero = createObject("Hero");
    newHero->collidesWith = kHeroMask;
    newHero->category = kHeroCategory;
    newHero->moveTo(kHeroStart);
    newHero->z = kHeroDepth;
    newHero->update();
    hero = newHero.get();
    addObject(std::move(newHero));

    const std::string dir = stageDirectory();
    const std::int32_t fileNumber = stageNumber - 1;
    ground.load(dir, numbered("%d.ground", fileNumber));
    loadBackground(dir + numbered("%d.bos", fileNumber));
    loadEnemies(dir + numbered("%d.enemies", fileNumber));
    loadItems(dir + numbered("%d.items", fileNumber));

    if (stageNumber == lastStage + 1) {
        showWord("LastStage", 1.0f);
    } else if (!inStaffStage()) {
        showWord(numbered("Stage%d", stageNumber).c_str(), 1.0f);
    }
    readAhead();
}

// A picture read on its first use in the middle of play makes that frame late (a word's font picture
// is 1024 x 1024), so whatever the stage shows later, its second wave, the words that pop up and the
// hero's stars, is read now, behind its start. Making an object only reads its files; these are
// thrown away at once.
void GameScene::readAhead() {
    readList(stageDirectory() + numbered("%d.enemies2", stageNumber - 1),
             [](const ListEntry& e) { createObject(e.name.c_str()); });
    for (const char* word : kPlayWords) createWord(word);
    [[maybe_unused]] const Star star;
}

void GameScene::stepStagePhases() {
    if (phaseTimer > 0) {
        --phaseTimer;
        return;
    }
    const bool noEnemies = enemyCount() == 0;
    switch (stagePhase) {
        case 0:  // the first wave is beaten
            if (!noEnemies) return;
            stagePhase = 1;
            phaseTimer = 100;
            break;
        case 1:
            if (!inStaffStage()) playMusic(kBossMusic);
            showWord("Warning", 2.0f);
            stagePhase = 2;
            phaseTimer = 150;
            break;
        case 2:
            loadEnemies(stageDirectory() + numbered("%d.enemies2", stageNumber - 1));
            stagePhase = 3;
            break;
        case 3:
            if (!noEnemies) return;
            stagePhase = 4;
            phaseTimer = 100;
            break;
        case 4:
            if (!noEnemies) return;
            if (!inStaffStage()) playMusic(kClearMusic);
            showWord("Clear", 2.0f);
            stagePhase = 5;
            phaseTimer = 100;
            break;
        case 5:
            if (!noEnemies) return;
            nextStage();
            stagePhase = 6;
            break;
        default:
            break;
    }
}

void GameScene::spawnEnemy(const char* name, float x, float y, float life, float scale) {
    std::unique_ptr<PuppetObject> enemy = createObject(name);
    enemy->collidesWith = kSpawnMask;
    enemy->category = kEnemyCategory;
    enemy->setScale(scale);
    enemy->moveTo({x, y});
    enemy->life = life;
    enemy->update();
    addObject(std::move(enemy));
}

void GameScene::spawnItem(const char* name, float x, float y, float scale) {
    std::unique_ptr<PuppetObject> item = createObject(name);
    item->collidesWith = kSpawnMask;
    item->category = kItemCategory;
    item->setScale(scale);
    item->moveTo({x, y});
    item->update();
    addObject(std::move(item));
}

void GameScene::showWord(const char* name, float scale) {
    std::unique_ptr<PuppetObject> word = createWord(name);
    word->setScale(scale);
    const Vec2 from = hero ? hero->position : Vec2{};
    word->moveTo({from.x, from.y + 2.0f});
    word->applyGravity(kWordLift);
    for (int i = 0; i < 3; ++i) word->update();
    addObject(std::move(word));
}

void GameScene::loadBackground(const std::string& path) {
    DataRef root;
    readDataFile(hostPath(path), root);
    ListEntry entry;
    float z = 0.0f;
    float alpha = 1.0f;
    for (std::uint32_t i = 0; i < root->size(); ++i) {
        const DataRef& item = root->item(i);
        if (item.kind() != DataKind::Map) continue;
        const DataRef& name = item->find("name");
        if (name.kind() == DataKind::Text) entry.name = name->text();
        readFloat(item->find("x"), entry.x);
        readFloat(item->find("z"), z);
        readFloat(item->find("alpha"), alpha);
        readFloat(item->find("scale"), entry.scale);

        auto sprite = std::make_unique<BackgroundSprite>();
        sprite->load(entry.name);
        // Sprites stand on the ground between the two samples around them; only where both samples
        // and the one after exist, else at height 0.
        float y = 0.0f;
        const std::int64_t n = static_cast<std::int64_t>(ground.heights.size());
        if (entry.x > -2147483648.0f && entry.x < 2147483648.0f) {
            const std::int64_t index = static_cast<std::int32_t>(entry.x);
            if (index >= 0 && index + 1 < n - 1) {
                const float f = entry.x - static_cast<float>(index);
                y = (1.0f - f) * ground.heights[static_cast<std::size_t>(index)] +
                    f * ground.heights[static_cast<std::size_t>(index + 1)];
            }
        }
        sprite->z = z;
        sprite->alpha = alpha;
        sprite->scale(entry.scale);
        sprite->move({entry.x, y + 2.0f});
        backgroundSprites.push_back(std::move(sprite));
    }
}

void GameScene::loadEnemies(const std::string& path) {
    readList(path, [this](const ListEntry& e) { spawnEnemy(e.name.c_str(), e.x, e.y, e.life, e.scale); });
}

void GameScene::loadItems(const std::string& path) {
    readList(path, [this](const ListEntry& e) { spawnItem(e.name.c_str(), e.x, e.y, e.scale); });
}
