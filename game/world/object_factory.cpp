#include "game/world/object_factory.h"

#include "game/flow/game_scene.h"
#include "game/world/stand_in_figure.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kBubbleModel = "data\\puppets\\bubble\\0.model";
constexpr const char* kBubblePose = "data\\puppets\\bubble\\normal.pose";

std::unique_ptr<PuppetObject> makeBubble() { return std::make_unique<StandInFigure>(kBubbleModel, kBubblePose); }

// The hero's model follows the stage: stage s wears model s - 1.
std::unique_ptr<PuppetObject> makeHero() {
    const GameScene* scene = GameScene::instance();
    char model[64];
    std::snprintf(model, sizeof model, "data\\hero\\%d.model", scene ? scene->stageNumber - 1 : 0);
    return std::make_unique<StandInFigure>(model, "data\\hero\\normal.pose", 6);
}

struct ObjectRow {
    const char* name;
    std::unique_ptr<PuppetObject> (*make)();
};

const ObjectRow kObjectRows[] = {
    {"Hero", makeHero},
    {"Bubble", makeBubble},
};

struct WordRow {
    const char* name;
    WordFiles files;
};

const WordRow kWordRows[] = {
    {"Uki", {"data\\word\\uki.model", "data\\word\\uki.pose"}},
    {"Don", {"data\\word\\don.model", "data\\word\\don.pose"}},
    {"Ora", {"data\\word\\ora.model", "data\\word\\ora.pose"}},
    {"Zaku", {"data\\word\\zaku.model", "data\\word\\zaku.pose"}},
    {"Iyan", {"data\\word\\iyan.model", "data\\word\\iyan.pose"}},
    {"Warning", {"data\\etc\\warning.model", "data\\etc\\warning.pose"}},
    {"Clear", {"data\\etc\\clear.model", "data\\etc\\clear.pose"}},
    {"Stage1", {"data\\etc\\stage1.model", "data\\etc\\stage1.pose"}},
    {"Stage2", {"data\\etc\\stage2.model", "data\\etc\\stage2.pose"}},
    {"Stage3", {"data\\etc\\stage3.model", "data\\etc\\stage3.pose"}},
    {"Stage4", {"data\\etc\\stage4.model", "data\\etc\\stage4.pose"}},
    {"Stage5", {"data\\etc\\stage5.model", "data\\etc\\stage5.pose"}},
    {"Stage6", {"data\\etc\\stage6.model", "data\\etc\\stage6.pose"}},
    {"Stage7", {"data\\etc\\stage7.model", "data\\etc\\stage7.pose"}},
    {"LastStage", {"data\\etc\\laststage.model", "data\\etc\\laststage.pose"}},
};

bool sameName(const char* a, const char* b) { return a && std::strcmp(a, b) == 0; }

}  // namespace

std::unique_ptr<PuppetObject> createObject(const char* name) {
    for (const ObjectRow& row : kObjectRows) {
        if (sameName(name, row.name)) return row.make();
    }
    return makeBubble();
}

WordFiles wordFiles(const char* name) {
    for (const WordRow& row : kWordRows) {
        if (sameName(name, row.name)) return row.files;
    }
    return kWordRows[0].files;
}

std::unique_ptr<PuppetObject> createWord(const char* name) {
    const WordFiles files = wordFiles(name);
    return std::make_unique<StandInFigure>(files.model, files.pose);
}
