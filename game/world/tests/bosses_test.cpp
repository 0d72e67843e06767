// The two bosses: the hornet queen steered by its head alone, and the last boss calling minions out of
// its hand until 20 enemies are on the stage.
#include "game/world/egg.h"
#include "game/world/hornet_boss.h"
#include "game/world/last_boss.h"
#include "game/world/object_factory.h"
#include "enemy_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

TEST(HornetBossTest, HangsFromItsHeadAndDriftsTowardsTheHero) {
    EnemyWorld world;
    world.putHero(40.0f, 0.5f);
    HornetBoss& boss = world.spawn<HornetBoss>("HornetBoss", 20.0f, 6.0f, 2.0f);
    EXPECT_FALSE(boss.puppet.has(Puppet::posed)) << "never posed";
    EXPECT_EQ(boss.hitCircles().size(), 3u) << "its circles were built while posed";

    const Vec2 head = boss.puppet.parts[0].frame.velocity();
    const Vec2 tail = boss.puppet.parts[2].frame.velocity();
    boss.applyGravity({0.0f, -0.01f});
    boss.update();
    const Vec2 headNow = boss.puppet.parts[0].frame.velocity();
    EXPECT_NEAR(boss.phase, 0.02f, 1e-5f);
    EXPECT_NEAR(headNow.x - head.x, 0.1f * std::cos(0.02f) + 0.1f, 1e-3f) << "towards the hero on its right";
    EXPECT_NEAR(headNow.y - head.y, 0.1f * std::sin(0.02f) - 0.01f, 1e-3f);
    EXPECT_NEAR(boss.puppet.parts[2].frame.velocity().x, tail.x, 1e-4f) << "the rest only trails";
    EXPECT_NEAR(boss.puppet.parts[2].frame.velocity().y, tail.y, 1e-4f) << "and gravity never takes it";
    EXPECT_EQ(boss.attackTimer, 9);

    boss.life = -0.5f;
    boss.update();
    EXPECT_LT(boss.alpha, 1.0f);
}

TEST(LastBossTest, CallsAMinionOutOfItsHandEveryStrike) {
    EnemyWorld world;
    LastBoss& boss = world.spawn<LastBoss>("LastBoss", 24.0f, 6.0f);
    EXPECT_EQ(boss.puppet.partCount(), 15u);
    EXPECT_TRUE(posedAs(boss, "data\\puppets\\lastboss\\normal.pose"));
    boss.puppet.damp({0.0f, 0.0f});
    boss.applyGravity({0.0f, -0.01f});
    EXPECT_NEAR(boss.puppet.velocity().y, 0.0f, 1e-6f) << "it floats";

    // Far from the hero it closes in.
    boss.puppet.damp({0.0f, 0.0f});
    boss.update();
    EXPECT_LT(boss.puppet.velocity().x, -0.05f);
    world.putHero(boss.position.x - 5.5f, 0.5f);  // 5.5 truncates to 5: near enough
    boss.puppet.damp({0.0f, 0.0f});
    boss.update();
    EXPECT_NEAR(boss.puppet.velocity().x, 0.0f, 5e-3f);

    const std::size_t before = world.scene.objects.size();
    int updates = 2;  // since the one that spawned it
    while (world.scene.objects.size() == before && updates < 200) {
        // The hand as it stands when the strike comes: the minion is placed before anything moves.
        const Vec2 hand = boss.hand();
        boss.update();
        ++updates;
        if (world.scene.objects.size() != before) {
            const auto& minion = static_cast<const PuppetObject&>(*world.scene.objects.back());
            EXPECT_NEAR(minion.position.x, hand.x + boss.dir() * 0.1f, 0.6f);
            EXPECT_NEAR(minion.position.y, hand.y, 0.6f);
        }
    }
    EXPECT_EQ(updates, 81) << "its first strike";
    EXPECT_TRUE(posedAs(boss, "data\\puppets\\lastboss\\a0.pose"));
    EXPECT_EQ(boss.attackTimer, 9);
    ASSERT_EQ(world.scene.objects.size(), before + 1);
    const auto* minion = dynamic_cast<const Enemy*>(world.scene.objects.back().get());
    ASSERT_NE(minion, nullptr);
    EXPECT_EQ(dynamic_cast<const LastBoss*>(minion), nullptr) << "never another boss of its kind";
    EXPECT_FLOAT_EQ(minion->life, 0.05f);
    EXPECT_EQ(minion->category, kEnemyCategory);
    EXPECT_EQ(minion->collidesWith, 5u);
    EXPECT_EQ(world.scene.enemyCount(), 2);
}

TEST(LastBossTest, StopsCallingAtTwentyEnemiesAndLeavesRoomAsTheyGo) {
    EnemyWorld world;
    LastBoss& boss = world.spawn<LastBoss>("LastBoss", 24.0f, 6.0f);
    for (int i = 0; i < 19; ++i) world.scene.spawnEnemy("Bubble", 10.0f + i, 2.0f, 0.3f, 0.5f);
    ASSERT_EQ(world.scene.enemyCount(), 20);
    const std::size_t before = world.scene.objects.size();
    for (int i = 0; i < 500; ++i) boss.update();
    EXPECT_EQ(world.scene.objects.size(), before) << "no minion while 20 enemies are on the stage";

    world.scene.objects.back()->category = 0;  // one bubble beaten
    for (int i = 0; i < 200; ++i) boss.update();
    EXPECT_EQ(world.scene.objects.size(), before + 1);
    EXPECT_EQ(world.scene.enemyCount(), 20);
}

TEST(LastBossTest, AModelWithoutAHandCallsMinionsFromTheBossItself) {
    EnemyWorld world;
    world.writeBossModel(3);
    world.putHero(22.0f, 0.5f);  // close by: the boss stays where it is
    LastBoss& boss = world.spawn<LastBoss>("LastBoss", 24.0f, 6.0f);
    EXPECT_EQ(boss.puppet.partCount(), 3u);
    for (int i = 0; i < 200; ++i) boss.update();
    ASSERT_GE(world.scene.enemyCount(), 3);
    const auto& minion = static_cast<const PuppetObject&>(*world.scene.objects.back());
    EXPECT_NEAR(minion.position.x, boss.position.x, 3.0f);

    world.writeBossModel(0);
    LastBoss& empty = world.spawn<LastBoss>("LastBoss", 30.0f, 6.0f);
    for (int i = 0; i < 200; ++i) empty.update();
    EXPECT_GE(world.scene.enemyCount(), 5);
    world.writeBossModel(15);
}

TEST(LastBossTest, OnAStageItsMinionsFillItUpToTwenty) {
    EnemyWorld world;
    world.spawn<LastBoss>("LastBoss", 24.0f, 6.0f);
    int most = 0;
    for (int i = 0; i < 2500; ++i) {
        world.step();
        most = std::max(most, world.scene.enemyCount());
    }
    EXPECT_EQ(most, 20);
    EXPECT_EQ(world.scene.enemyCount(), 20) << "nothing beats them here";
}

TEST(EnemyRowsTest, EveryKindLoadsItsOwnFolder) {
    EnemyWorld world;
    const char* kinds[] = {"SplitBubble", "Hornet", "Naganeko", "Pot", "Mask", "Pinoko", "Stump",
                           "Clay", "Egg", "Imo", "Knight", "HornetBoss", "LastBoss"};
    const char* poses[] = {"bubble\\normal", "hornet\\normal", "naganeko\\normal", "pot\\normal", "mask\\normal",
                           "pinoko\\normal", "stump\\normal", "clay\\normal", "egg\\0", "imo\\normal",
                           "knight\\normal", "hornetboss\\0", nullptr};
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const auto made = createObject(kinds[i]);
        ASSERT_NE(dynamic_cast<Enemy*>(made.get()), nullptr) << kinds[i];
        EXPECT_GE(made->puppet.partCount(), 2u) << kinds[i];
        EXPECT_EQ(made->puppet.rootPart, 0);
        EXPECT_EQ(made->puppet.has(Puppet::posed), i != 11) << kinds[i];
        const std::string pose = poses[i] ? std::string("data\\puppets\\") + poses[i] + ".pose"
                                          : std::string("data\\lastboss\\lastboss\\normal.pose");
        EXPECT_TRUE(posedAs(*made, pose.c_str())) << kinds[i];
    }
    EXPECT_EQ(dynamic_cast<Egg*>(createObject("Egg").get())->hatchTimer, 300);
    EXPECT_EQ(dynamic_cast<HornetBoss*>(createObject("Hornet").get()), nullptr);
    EXPECT_NE(dynamic_cast<HornetBoss*>(createObject("HornetBoss").get()), nullptr);
}
