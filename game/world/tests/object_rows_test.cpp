// The factory rows of the hero, items, staff puppets, words and the bubble: each name makes its own
// type, told apart by the whole name.
#include "game/world/big_item.h"
#include "game/world/bubble.h"
#include "game/world/item_box.h"
#include "game/world/object_factory.h"
#include "game/world/pumpkin.h"
#include "game/world/staff_puppet.h"
#include "game/world/word.h"
#include "small_world.h"

#include <gtest/gtest.h>

namespace {

template <class Type>
bool makes(const char* name) {
    const auto object = createObject(name);
    return dynamic_cast<Type*>(object.get()) != nullptr;
}

}  // namespace

TEST(ObjectRowsTest, EachNameMakesItsOwnTypeAndAnythingElseABubble) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    world.scene.stageNumber = 3;
    const auto hero = createObject("Hero");
    ASSERT_NE(dynamic_cast<Hero*>(hero.get()), nullptr);
    EXPECT_EQ(hero->puppet.rootPart, 6);
    EXPECT_GE(hero->puppet.partCount(), 10u);

    EXPECT_TRUE(makes<Bubble>("hero"));
    EXPECT_TRUE(makes<Bubble>("Bubble"));
    EXPECT_TRUE(makes<Bubble>("Nobody"));
    EXPECT_TRUE(makes<BigItem>("BigItem"));
    EXPECT_TRUE(makes<Pumpkin>("Pumpkin"));
    const auto bigBox = createObject("BigItemBox");
    const auto pumpkinBox = createObject("PumpkinBox");
    ASSERT_NE(dynamic_cast<ItemBox*>(bigBox.get()), nullptr);
    ASSERT_NE(dynamic_cast<ItemBox*>(pumpkinBox.get()), nullptr);
    EXPECT_EQ(static_cast<ItemBox&>(*bigBox).itemName(), "BigItem");
    EXPECT_EQ(static_cast<ItemBox&>(*pumpkinBox).itemName(), "Pumpkin");
    for (const char* staff : {"Tavo", "Pelu", "Runo", "Kesta", "Dabo", "Fimu", "Gorl"}) {
        EXPECT_TRUE(makes<StaffPuppet>(staff)) << staff;
    }
    EXPECT_FALSE(makes<StaffPuppet>("tavo"));

    // Items start almost invisible; everything but the hero turns around part 0.
    EXPECT_FLOAT_EQ(createObject("BigItem")->alpha, 0.01f);
    EXPECT_FLOAT_EQ(createObject("Pumpkin")->alpha, 0.01f);
    EXPECT_FLOAT_EQ(createObject("PumpkinBox")->alpha, 1.0f);
    EXPECT_EQ(createObject("PumpkinBox")->puppet.rootPart, 0);

    for (const char* word : {"Uki", "Don", "Warning", "Stage8"}) {
        const auto made = createWord(word);
        EXPECT_NE(dynamic_cast<Word*>(made.get()), nullptr) << word;
        EXPECT_TRUE(made->puppet.has(Puppet::posed));
        EXPECT_FALSE(made->hitCircles().empty()) << word;
    }
}
