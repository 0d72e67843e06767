#include "game/world/object_factory.h"

#include "game/flow/game_scene.h"
#include "game/world/big_item.h"
#include "game/world/bubble.h"
#include "game/world/clay.h"
#include "game/world/egg.h"
#include "game/world/hero.h"
#include "game/world/hornet.h"
#include "game/world/hornet_boss.h"
#include "game/world/imo.h"
#include "game/world/item_box.h"
#include "game/world/knight.h"
#include "game/world/last_boss.h"
#include "game/world/mask.h"
#include "game/world/naganeko.h"
#include "game/world/pinoko.h"
#include "game/world/pot.h"
#include "game/world/pumpkin.h"
#include "game/world/split_bubble.h"
#include "game/world/staff_puppet.h"
#include "game/world/stump.h"
#include "game/world/word.h"

#include <cstring>

namespace {

template <class Kind>
std::unique_ptr<PuppetObject> make() {
    return std::make_unique<Kind>();
}
std::unique_ptr<PuppetObject> makeBubble() { return make<Bubble>(); }

// The hero's model follows the stage: stage s wears model s - 1.
std::unique_ptr<PuppetObject> makeHero() {
    const GameScene* scene = GameScene::instance();
    return std::make_unique<Hero>(scene ? scene->stageNumber - 1 : 0);
}

std::unique_ptr<PuppetObject> makeBigItemBox() { return std::make_unique<ItemBox>("BigItem"); }
std::unique_ptr<PuppetObject> makePumpkinBox() { return std::make_unique<ItemBox>("Pumpkin"); }
std::unique_ptr<PuppetObject> makeBigItem() { return std::make_unique<BigItem>(); }
std::unique_ptr<PuppetObject> makePumpkin() { return std::make_unique<Pumpkin>(); }

// The credited people of the staff stage, each a model and a pose named after them.
template <const char* Model, const char* Pose>
std::unique_ptr<PuppetObject> makeStaff() {
    return std::make_unique<StaffPuppet>(Model, Pose);
}
constexpr char kTavoModel[] = "data\\staff\\tavo.model", kTavoPose[] = "data\\staff\\tavo.pose";
constexpr char kPeluModel[] = "data\\staff\\pelu.model", kPeluPose[] = "data\\staff\\pelu.pose";
constexpr char kRunoModel[] = "data\\staff\\runo.model", kRunoPose[] = "data\\staff\\runo.pose";
constexpr char kKestaModel[] = "data\\staff\\kesta.model", kKestaPose[] = "data\\staff\\kesta.pose";
constexpr char kDaboModel[] = "data\\staff\\dabo.model", kDaboPose[] = "data\\staff\\dabo.pose";
constexpr char kFimuModel[] = "data\\staff\\fimu.model", kFimuPose[] = "data\\staff\\fimu.pose";
constexpr char kGorlModel[] = "data\\staff\\gorl.model", kGorlPose[] = "data\\staff\\gorl.pose";

struct ObjectRow {
    const char* name;
    std::unique_ptr<PuppetObject> (*make)();
};

const ObjectRow kObjectRows[] = {
    {"Hero", makeHero},
    {"Bubble", makeBubble},
    {"SplitBubble", make<SplitBubble>},
    {"Hornet", make<Hornet>},
    {"Naganeko", make<Naganeko>},
    {"Pot", make<Pot>},
    {"Mask", make<Mask>},
    {"Pinoko", make<Pinoko>},
    {"Stump", make<Stump>},
    {"Clay", make<Clay>},
    {"Egg", make<Egg>},
    {"Imo", make<Imo>},
    {"Knight", make<Knight>},
    {"HornetBoss", make<HornetBoss>},
    {"LastBoss", make<LastBoss>},
    {"BigItemBox", makeBigItemBox},
    {"PumpkinBox", makePumpkinBox},
    {"BigItem", makeBigItem},
    {"Pumpkin", makePumpkin},
    {"Tavo", makeStaff<kTavoModel, kTavoPose>},
    {"Pelu", makeStaff<kPeluModel, kPeluPose>},
    {"Runo", makeStaff<kRunoModel, kRunoPose>},
    {"Kesta", makeStaff<kKestaModel, kKestaPose>},
    {"Dabo", makeStaff<kDaboModel, kDaboPose>},
    {"Fimu", makeStaff<kFimuModel, kFimuPose>},
    {"Gorl", makeStaff<kGorlModel, kGorlPose>},
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
    return std::make_unique<Word>(files.model, files.pose);
}
