// The bubble that splits: a half-size plain bubble breaks off each time its life halves.
#include "game/world/bubble.h"
#include "game/world/split_bubble.h"
#include "enemy_world.h"

#include <gtest/gtest.h>

namespace {

// The plain bubbles now in the scene, newest last.
std::vector<Bubble*> children(EnemyWorld& world) {
    std::vector<Bubble*> found;
    for (const auto& object : world.scene.objects) {
        const GameObject& o = *object;
        if (typeid(o) == typeid(Bubble)) found.push_back(static_cast<Bubble*>(object.get()));
    }
    return found;
}

}  // namespace

TEST(SplitBubbleTest, ShedsAHalfSizeBubbleEachTimeItsLifeHalves) {
    EnemyWorld world;
    SplitBubble& big = world.spawn<SplitBubble>("SplitBubble", 20.0f, 3.0f, 4.0f, 2.0f);
    EXPECT_FLOAT_EQ(big.peakLife, 4.0f) << "the first update takes the starting life";
    EXPECT_FLOAT_EQ(big.splitLife, 2.0f);

    big.life = 2.5f;
    big.update();
    EXPECT_TRUE(children(world).empty()) << "still above half";

    big.life = 1.9f;
    big.update();
    ASSERT_EQ(children(world).size(), 1u);
    const Bubble& first = *children(world)[0];
    EXPECT_FLOAT_EQ(first.life, 0.95f);
    EXPECT_FLOAT_EQ(first.puppet.poseScale, 1.0f) << "half the splitter's size";
    EXPECT_EQ(first.category, big.category);
    EXPECT_EQ(first.collidesWith, big.collidesWith);
    EXPECT_NEAR(first.position.x, big.position.x, 0.5f);
    EXPECT_NEAR(first.position.y, big.position.y, 0.5f);

    big.update();
    EXPECT_EQ(children(world).size(), 1u) << "no second split without a new loss";
    big.life = 0.9f;
    big.update();
    ASSERT_EQ(children(world).size(), 2u) << "below 0.95: the next one";
    EXPECT_FLOAT_EQ(children(world)[1]->life, 0.45f);

    // Beaten: no more children, and it fades like a plain bubble.
    big.life = -0.1f;
    big.puppet.set(Puppet::posed, false);
    big.update();
    EXPECT_EQ(children(world).size(), 2u);
    EXPECT_LT(big.alpha, 1.0f);
    // The children are plain bubbles: they never split.
    Bubble& child = *children(world)[0];
    child.life = 0.1f;
    child.update();
    EXPECT_EQ(children(world).size(), 2u);
}

TEST(SplitBubbleTest, OneBigHitMakesOneSplitAndHealingRaisesTheMark) {
    EnemyWorld world;
    SplitBubble& big = world.spawn<SplitBubble>("SplitBubble", 20.0f, 3.0f, 4.0f, 2.0f);
    big.damage({25.0f, 0.0f});  // 2.5 of life at once: 4 to 1.5
    ASSERT_FLOAT_EQ(big.life, 1.5f);
    for (int i = 0; i < 5; ++i) big.update();
    ASSERT_EQ(children(world).size(), 1u);
    EXPECT_FLOAT_EQ(children(world)[0]->life, 0.75f);
    EXPECT_FLOAT_EQ(big.splitLife, 0.75f);

    big.life = 3.0f;  // healed, but not above its best
    big.update();
    EXPECT_FLOAT_EQ(big.peakLife, 4.0f);
    EXPECT_FLOAT_EQ(big.splitLife, 0.75f);
    big.life = 5.0f;  // above it: the mark follows
    big.update();
    big.life = 2.6f;
    big.update();
    EXPECT_EQ(children(world).size(), 1u) << "half of the new high is 2.5";
    big.life = 2.4f;
    big.update();
    EXPECT_EQ(children(world).size(), 2u);
}

TEST(SplitBubbleTest, OnAStageItsChildrenCountAsEnemiesUntilBeaten) {
    EnemyWorld world;
    SplitBubble& big = world.spawn<SplitBubble>("SplitBubble", 20.0f, 3.0f, 1.6f, 3.0f);
    for (int i = 0; i < 50; ++i) world.step();
    EXPECT_EQ(world.scene.enemyCount(), 1);
    big.damage({10.0f, 0.0f});  // 1.6 to 0.6
    world.step();
    EXPECT_EQ(world.scene.enemyCount(), 2);
    EXPECT_EQ(world.countExactly<Bubble>(), 1);
    EXPECT_EQ(world.countExactly<SplitBubble>(), 1);
}
