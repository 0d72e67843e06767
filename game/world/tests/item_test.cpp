#include "game/world/big_item.h"
#include "game/world/item_box.h"
#include "game/world/object_factory.h"
#include "game/world/pumpkin.h"
#include "game/world/star.h"
#include "small_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

template <class Item>
Item& placeItem(SmallWorld& world, float scale = 1.0f) {
    return world.add(std::make_unique<Item>(), 0, kHeroCategory | 1u, {20.0f, 1.0f}, scale);
}

// Brings a new item to full view.
void fadeIn(PuppetObject& item) {
    for (int i = 0; i < 20; ++i) item.update();
}

}  // namespace

TEST(ItemTest, ABoxBreaksOnceAndDropsOneItem) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    ItemBox& box = world.add(std::make_unique<ItemBox>("Pumpkin"), kItemCategory, kHeroCategory | 1u,
                             {20.0f, 1.0f}, 1.5f);
    box.damage({0.3f, 0.4f});
    ASSERT_EQ(world.count<Pumpkin>(), 1);
    const auto& pumpkin = static_cast<const Pumpkin&>(*world.scene.objects.back());
    EXPECT_EQ(pumpkin.category, 0u) << "only the item reacts to a touch";
    EXPECT_EQ(pumpkin.collidesWith, 5u);
    EXPECT_FLOAT_EQ(pumpkin.puppet.poseScale, 1.5f);
    EXPECT_NEAR(pumpkin.position.x, box.position.x, 0.5f);
    EXPECT_GT(pumpkin.puppet.velocity().y, 0.1f) << "tossed up out of the box";
    EXPECT_EQ(box.state, 1);
    EXPECT_FALSE(box.puppet.has(Puppet::posed));
    EXPECT_EQ(box.hurtTimer, 25);
    EXPECT_FLOAT_EQ(box.life, -1.05f);

    // Again, within its invincibility or long after: no second item.
    box.damage({1.0f, 0.0f});
    for (int i = 0; i < 30; ++i) box.update();
    box.damage({1.0f, 0.0f});
    EXPECT_EQ(world.count<Pumpkin>(), 1);

    // A broken box fades twice as fast as a beaten enemy.
    const float alpha = box.alpha;
    box.update();
    EXPECT_NEAR(alpha - box.alpha, 0.012f, 1e-6f);

    ItemBox& big = world.add(std::make_unique<ItemBox>("BigItem"), kItemCategory, 5u, {30.0f, 1.0f});
    big.damage({0.0f, 0.0f});
    EXPECT_EQ(world.count<BigItem>(), 1);
}

TEST(ItemTest, ItemsFadeInAndCannotBeTakenBeforeTheyShow) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Hero& hero = world.addHero(20.0f, 1.0f);
    hero.life = 0.5f;
    Pumpkin& pumpkin = placeItem<Pumpkin>(world);
    EXPECT_FLOAT_EQ(pumpkin.alpha, 0.06f) << "0.01, then one update";
    int updates = 1;
    while (pumpkin.alpha <= 0.9f) {
        const Vec2 before = pumpkin.puppet.velocity();
        pumpkin.collide(0, hero, 0);
        EXPECT_EQ(pumpkin.state, 0);
        EXPECT_FLOAT_EQ(hero.life, 0.5f);
        EXPECT_EQ(pumpkin.puppet.velocity().x, before.x) << "not even pushed";
        pumpkin.update();
        ++updates;
    }
    EXPECT_EQ(updates, 18);
    pumpkin.collide(0, hero, 0);
    EXPECT_EQ(pumpkin.state, 1);
    EXPECT_FLOAT_EQ(hero.life, 0.7f);
    pumpkin.collide(0, hero, 0);
    EXPECT_FLOAT_EQ(hero.life, 0.7f) << "taken once";

    // Taken, it fades five times as fast.
    const float alpha = pumpkin.alpha;
    pumpkin.update();
    EXPECT_NEAR(alpha - pumpkin.alpha, 0.03f, 1e-6f);
    for (int i = 0; i < 40; ++i) pumpkin.update();
    EXPECT_FALSE(pumpkin.isAlive());
}

TEST(ItemTest, PumpkinsGiveLifeUpToFullAndLiftABeatenHero) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Hero& hero = world.addHero(20.0f, 1.0f);
    struct Case {
        float life, scale, expected;
    };
    for (const Case c : {Case{0.9f, 1.0f, 1.0f}, Case{-0.1f, 1.0f, 0.2f}, Case{0.3f, 2.0f, 0.7f}}) {
        hero.life = c.life;
        Pumpkin& pumpkin = placeItem<Pumpkin>(world, c.scale);
        fadeIn(pumpkin);
        pumpkin.collide(0, hero, 0);
        EXPECT_FLOAT_EQ(hero.life, c.expected) << c.life << " with a pumpkin of scale " << c.scale;
    }
}

TEST(ItemTest, BigItemsScaleTheHeroAgainEachTime) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Hero& hero = world.addHero(20.0f, 1.0f);
    const float side = hero.puppet.frame.side;
    const float partSide = hero.puppet.parts[6].frame.side;
    for (int taken = 0; taken < 2; ++taken) {
        BigItem& item = placeItem<BigItem>(world, 1.5f);
        fadeIn(item);
        item.collide(0, hero, 0);
        EXPECT_EQ(item.state, 1);
    }
    EXPECT_FLOAT_EQ(hero.puppet.poseScale, 1.5f);
    EXPECT_NEAR(hero.puppet.frame.side, side * 2.25f, 1e-4f);
    EXPECT_NEAR(hero.puppet.parts[6].frame.side, partSide * 2.25f, 1e-4f);
}

TEST(ItemTest, AThrownStarTakesAnItemForTheHero) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Hero& hero = world.addHero(4.0f, 1.0f);
    hero.life = 0.5f;
    Pumpkin& pumpkin = world.add(std::make_unique<Pumpkin>(), kItemCategory, kHeroCategory | 1u, {20.0f, 0.8f});
    for (int i = 0; i < 30; ++i) world.frame(0);
    ASSERT_GT(pumpkin.alpha, 0.9f);
    Star& star = world.add(std::make_unique<Star>(), kHeroCategory, kEnemyCategory | 1u,
                           {pumpkin.position.x - 1.5f, pumpkin.position.y + 0.3f}, 0.5f);
    star.push({0.25f, 0.0f});
    star.thrown = 1;
    for (int i = 0; i < 30 && pumpkin.state == 0; ++i) world.frame(0);
    EXPECT_EQ(pumpkin.state, 1);
    EXPECT_FLOAT_EQ(hero.life, 0.7f);
}

TEST(ItemTest, AHeroDashesIntoABoxAndWalksIntoWhatFallsOut) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Hero& hero = world.addHero(14.0f, 3.0f);
    ItemBox& box = world.add(std::make_unique<ItemBox>("BigItem"), kItemCategory, kHeroCategory | 1u,
                             {18.0f, 1.5f}, 1.5f);
    for (int i = 0; i < 80; ++i) world.frame(0);
    world.frame(kPadKeyZ);
    for (int i = 0; i < 120; ++i) world.frame(kPadKeyZ);
    for (int i = 0; i < 40 && box.state == 0; ++i) world.frame(0);
    EXPECT_EQ(box.state, 1) << "the dash broke it";
    EXPECT_EQ(world.count<BigItem>(), 1);
    // The dash carried the hero past the box: back to where the item fell.
    for (int i = 0; i < 300 && hero.puppet.poseScale == 1.0f; ++i) world.frame(kPadKeyLeft);
    EXPECT_FLOAT_EQ(hero.puppet.poseScale, 1.5f) << "the hero took the item";
}
