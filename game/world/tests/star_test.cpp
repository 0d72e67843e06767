#include "game/world/star.h"

#include "game/world/object_factory.h"
#include "game/world/word.h"
#include "small_world.h"

#include <gtest/gtest.h>

namespace {

Star& throwStar(SmallWorld& world, Vec2 at, Vec2 push) {
    Star& star = world.add(std::make_unique<Star>(), kHeroCategory, kEnemyCategory | 1u, at, 0.5f);
    star.push(push);
    star.thrown = 1;
    return star;
}

}  // namespace

TEST(StarTest, ALooseStarAttacksOnlyOnceThrownAndFadesAfterLanding) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Star& held = world.add(std::make_unique<Star>(), kHeroCategory, kEnemyCategory | 1u, {10.0f, 1.0f}, 0.5f);
    EXPECT_FALSE(held.puppet.has(Puppet::posed)) << "a star flies as a loose part";
    ASSERT_NE(held.grip(), nullptr);
    held.update();
    EXPECT_EQ(held.attackTimer, 0);
    for (const HitCircle& circle : held.hitCircles()) EXPECT_NE(circle.kind, kAttackHit);
    held.onHit({1.0f, 0.0f});
    EXPECT_EQ(held.spent, 0) << "an unthrown star does not count hits";
    EXPECT_EQ(world.count<Word>(), 0);

    Star& star = throwStar(world, {20.0f, 3.0f}, {0.2f, 0.1f});
    int frames = 0;
    while (!star.spent && frames < 500) {
        world.frame(0);
        ++frames;
        if (!star.spent) {
            EXPECT_EQ(star.hitCircles()[0].kind, kAttackHit);
        }
    }
    ASSERT_EQ(star.spent, 1) << "it lands";
    EXPECT_GT(star.position.x, 20.5f) << "it flew forward";

    // From the first update after landing: life -1, no attack, alpha down by 0.006 a frame.
    int fading = 0;
    const std::size_t before = world.scene.objects.size();
    while (world.scene.objects.size() == before && fading < 500) {
        world.frame(0);
        ++fading;
    }
    EXPECT_NEAR(fading, 167, 1);
    EXPECT_EQ(world.count<Star>(), 1) << "only the thrown star went";
}

TEST(StarTest, AThrownStarThatHitsStopsMindingEnemiesAndSaysZaku) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    Star& star = throwStar(world, {20.0f, 3.0f}, {0.0f, 0.0f});
    star.onHit({0.6f, 0.8f});
    EXPECT_EQ(star.spent, 1);
    EXPECT_EQ(star.collidesWith, 1u);
    ASSERT_EQ(world.count<Word>(), 1);
    const auto& word = static_cast<const Word&>(*world.scene.objects.back());
    EXPECT_FLOAT_EQ(word.puppet.poseScale, 1.5f);
    EXPECT_NEAR(word.position.x, star.position.x, 0.1f);
    star.update();
    EXPECT_EQ(star.life, -1.0f);
    EXPECT_EQ(star.attackTimer, 0);
    EXPECT_FLOAT_EQ(star.alpha, 0.994f);
}

TEST(StarTest, AThrownStarBeatsAWeakEnemy) {
    REQUIRE_DATA_SET();
    SmallWorld world;
    world.addHero(2.0f, 4.0f);
    // A weak bubble standing in the star's way.
    auto enemy = createObject("Bubble");
    PuppetObject& bubble = world.add(std::move(enemy), kEnemyCategory, kHeroCategory | 1u, {14.0f, 1.0f});
    bubble.life = 0.01f;
    for (int i = 0; i < 60; ++i) world.frame(0);
    Star& star = throwStar(world, {11.0f, 1.3f}, {0.3f, 0.02f});
    for (int i = 0; i < 60 && !star.spent; ++i) world.frame(0);
    EXPECT_EQ(star.spent, 1);
    EXPECT_LT(bubble.life, 0.0f);
    EXPECT_EQ(bubble.category, 0u) << "beaten: nothing reacts to it any more";
    EXPECT_GE(world.count<Word>(), 1) << "a Zaku";
}
