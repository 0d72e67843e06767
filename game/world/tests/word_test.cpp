#include "game/world/word.h"

#include "game/world/object_factory.h"
#include "game/world/staff_puppet.h"
#include "small_world.h"

#include <gtest/gtest.h>

TEST(WordTest, AWordCrumblesAtItsFirstTouchAndFadesInFiftyUpdates) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    world.addHero();
    world.scene.showWord("Warning", 2.0f);
    ASSERT_EQ(world.count<Word>(), 1);
    auto& word = static_cast<Word&>(*world.scene.objects.back());
    EXPECT_TRUE(word.puppet.has(Puppet::posed));
    EXPECT_EQ(word.category, 0u);

    // It rises, falls, and comes apart when it reaches the ground.
    const float start = word.position.y;
    float highest = start;
    int frames = 0;
    while (word.puppet.has(Puppet::posed) && frames < 500) {
        world.frame(0);
        highest = std::max(highest, word.position.y);
        ++frames;
    }
    ASSERT_FALSE(word.puppet.has(Puppet::posed));
    EXPECT_GT(start, world.scene.hero->position.y + 2.05f) << "it rose from 2 above the hero";
    EXPECT_GT(highest, start) << "and went on rising a little";
    EXPECT_FALSE(word.onGround) << "words never stand";

    int fading = 0;
    while (world.count<Word>() == 1 && fading < 200) {
        world.frame(0);
        ++fading;
    }
    EXPECT_NEAR(fading, 50, 1);
}

TEST(WordTest, WallsAndCeilingBreakWordsToo) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    std::unique_ptr<PuppetObject> word = createWord("Don");
    ASSERT_NE(dynamic_cast<Word*>(word.get()), nullptr);
    word->planeContact(0, {1.0f, 0.0f, 0.0f}, 0.1f);
    EXPECT_FALSE(word->puppet.has(Puppet::posed));

    std::unique_ptr<PuppetObject> other = createWord("Zaku");
    const float alpha = other->alpha;
    other->groundContact(0, world.scene.ground, 3, 0.2f);
    EXPECT_FALSE(other->puppet.has(Puppet::posed));
    EXPECT_FALSE(other->onGround);
    other->update();
    EXPECT_FLOAT_EQ(other->alpha, alpha - 0.02f);
    // Circles that the model does not have are ignored.
    other->groundContact(1000, world.scene.ground, 3, 0.2f);
    other->planeContact(1000, {1.0f, 0.0f, 0.0f}, 0.2f);
}

TEST(StaffPuppetTest, StaffFloatDownSlowlyAndFadeSlowlyOnceBeaten) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    // A figure without parts is enough: the frame alone shows the pushes.
    StaffPuppet staff("data\\staff\\nobody.model", "data\\staff\\nobody.pose");
    const Vec2 before = staff.puppet.velocity();
    staff.applyGravity({0.0f, -0.01f});
    staff.update();
    EXPECT_NEAR(staff.puppet.velocity().y - before.y, -0.002f, 1e-6f);
    staff.update();
    EXPECT_FLOAT_EQ(staff.alpha, 1.0f);
    staff.life = -0.1f;
    int updates = 0;
    while (staff.isAlive() && updates < 2000) {
        staff.update();
        ++updates;
    }
    EXPECT_NEAR(updates, 834, 2);
}
