#include "game/world/bubble.h"

#include "game/world/object_factory.h"
#include "game/world/word.h"
#include "small_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(BubbleTest, ABubbleCrouchesAndLeapsAtTheHeroOnlyFromTheGround) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Hero& hero = world.addHero(6.0f, 1.0f);
    Bubble& bubble = world.add(std::make_unique<Bubble>(), kEnemyCategory, kHeroCategory | 1u, {12.0f, 1.0f});
    EXPECT_EQ(bubble.state, 0) << "in the air at its first update: nothing happened";
    // Its first update still saw the place it was made at; from the second on it knows where it is.
    bubble.update();
    EXPECT_FALSE(bubble.puppet.has(Puppet::facingRight)) << "facing the hero on its left";

    // Kept in the air, its timer runs out but it never acts.
    for (int i = 0; i < 300; ++i) bubble.update();
    EXPECT_EQ(bubble.state, 0);
    EXPECT_EQ(world.count<Word>(), 0);

    // On the ground it crouches, leaps 101 updates later, and every 112 updates after that.
    std::vector<int> leaps;
    for (int i = 1; i <= 400; ++i) {
        bubble.onGround = true;
        bubble.puppet.damp({0.0f, 0.0f});  // standing: the ground holds it
        const int words = world.count<Word>();
        const Vec2 before = bubble.puppet.velocity();
        bubble.update();
        if (bubble.attackTimer == 19) {
            leaps.push_back(i);
            EXPECT_EQ(world.count<Word>(), words + 1) << "Don";
            EXPECT_LT(bubble.puppet.velocity().x - before.x, -0.15f) << "at the hero";
            EXPECT_GT(bubble.puppet.velocity().y - before.y, 0.05f) << "a hop";
        }
    }
    EXPECT_EQ(leaps, (std::vector<int>{102, 214, 326}));

    // It turns when the hero passes it.
    hero.moveTo({20.0f, 1.0f});
    hero.update();
    bubble.update();
    EXPECT_TRUE(bubble.puppet.has(Puppet::facingRight));
}

TEST(BubbleTest, ABeatenBubbleOnlyFades) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    world.addHero(6.0f, 1.0f);
    Bubble& bubble = world.add(std::make_unique<Bubble>(), kEnemyCategory, 5u, {12.0f, 1.0f});
    bubble.puppet.set(Puppet::posed, false);
    const bool facing = bubble.puppet.has(Puppet::facingRight);
    int updates = 0;
    while (bubble.isAlive() && updates < 400) {
        bubble.onGround = true;
        bubble.update();
        EXPECT_EQ(bubble.state, 0);
        ++updates;
    }
    EXPECT_NEAR(updates, 167, 1);
    EXPECT_EQ(bubble.puppet.has(Puppet::facingRight), facing);
}

TEST(BubbleTest, BubblesOnAStageFightTheHero) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Hero& hero = world.addHero(6.0f, 3.0f);
    world.scene.spawnEnemy("Bubble", 10.0f, 2.0f, 0.3f, 1.0f);
    // The hero stands still and gets hurt by the leaps, each hit at most once per 25 frames.
    int mostWords = 0;
    for (int i = 0; i < 600; ++i) {
        world.frame(0);
        mostWords = std::max(mostWords, world.count<Word>());
    }
    EXPECT_LT(hero.life, 1.0f);
    EXPECT_LT(hero.position.x, 5.0f) << "knocked back";
    EXPECT_GE(mostWords, 2) << "a Don and an Iyan";
}
