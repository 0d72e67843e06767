// The enemies that walk, hop, hover and strike, each driven update by update against the hero
// stand-in: their poses in order, their attack windows, their pushes and their rests.
#include "game/world/clay.h"
#include "game/world/egg.h"
#include "game/world/hornet.h"
#include "game/world/imo.h"
#include "game/world/knight.h"
#include "game/world/last_boss.h"
#include "game/world/mask.h"
#include "game/world/naganeko.h"
#include "game/world/pinoko.h"
#include "game/world/pot.h"
#include "game/world/stump.h"
#include "game/world/word.h"
#include "enemy_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Updates until the state changes (at most `limit` updates); returns how many it took.
int updatesUntilStateChanges(Enemy& enemy, int limit = 1000) {
    const std::int32_t from = enemy.state;
    for (int n = 1; n <= limit; ++n) {
        enemy.update();
        if (enemy.state != from) return n;
    }
    return -1;
}

Vec2 velocityChange(Enemy& enemy) {
    const Vec2 before = enemy.puppet.velocity();
    enemy.update();
    const Vec2 after = enemy.puppet.velocity();
    return {after.x - before.x, after.y - before.y};
}

}  // namespace

TEST(HornetTest, HoversWhileItLivesDartsAtTheHeroAndDropsOnceBeaten) {
    EnemyWorld world;
    Hornet& hornet = world.spawn<Hornet>("Hornet", 20.0f, 6.0f);
    EXPECT_TRUE(posedAs(hornet, "data\\puppets\\hornet\\normal.pose"));
    EXPECT_EQ(hornet.state, 1);
    hornet.puppet.damp({0.0f, 0.0f});
    hornet.applyGravity({0.0f, -0.01f});
    hornet.update();
    EXPECT_NEAR(hornet.puppet.velocity().y, 0.0f, 1e-4f) << "no gravity while it lives";

    EXPECT_EQ(updatesUntilStateChanges(hornet), 10);
    EXPECT_TRUE(posedAs(hornet, "data\\puppets\\hornet\\n0.pose"));
    EXPECT_EQ(hornet.attackTimer, 9) << "the sting is out";
    EXPECT_FALSE(hornet.puppet.has(Puppet::facingRight)) << "the hero is on its left";
    EXPECT_EQ(updatesUntilStateChanges(hornet), 11);
    EXPECT_TRUE(posedAs(hornet, "data\\puppets\\hornet\\normal.pose"));

    hornet.puppet.set(Puppet::posed, false);
    hornet.puppet.damp({0.0f, 0.0f});
    hornet.applyGravity({0.0f, -0.01f});
    hornet.update();
    EXPECT_LT(hornet.puppet.velocity().y, -0.005f) << "beaten, it falls";
    EXPECT_LT(hornet.alpha, 1.0f);
}

TEST(NaganekoTest, StrikesUpAtAHighHeroAndSweepsAtALowOne) {
    EnemyWorld world;
    Naganeko& cat = world.spawn<Naganeko>("Naganeko", 20.0f, 1.0f);
    EXPECT_EQ(cat.state, 1);
    world.putHero(10.0f, 5.0f);  // more than 3 above
    EXPECT_EQ(updatesUntilStateChanges(cat), 21);
    EXPECT_EQ(cat.state, 2);
    EXPECT_TRUE(posedAs(cat, "data\\puppets\\naganeko\\at0.pose"));
    EXPECT_EQ(updatesUntilStateChanges(cat), 41);
    EXPECT_TRUE(posedAs(cat, "data\\puppets\\naganeko\\at1.pose"));
    EXPECT_EQ(cat.attackTimer, 14);

    world.putHero(10.0f, 3.5f);  // less than 3 above
    EXPECT_EQ(updatesUntilStateChanges(cat), 16);
    EXPECT_TRUE(posedAs(cat, "data\\puppets\\naganeko\\normal.pose"));
    updatesUntilStateChanges(cat);
    EXPECT_EQ(cat.state, 3);
    EXPECT_TRUE(posedAs(cat, "data\\puppets\\naganeko\\at2.pose"));
    for (int i = 0; i < 40; ++i) cat.update();
    cat.puppet.damp({0.0f, 0.0f});
    const Vec2 sweep = velocityChange(cat);
    EXPECT_TRUE(posedAs(cat, "data\\puppets\\naganeko\\at3.pose"));
    EXPECT_EQ(cat.state, 0);
    EXPECT_LT(sweep.x, -0.05f) << "along the ground at the hero";
    EXPECT_EQ(cat.attackTimer, 14);
}

TEST(PotTest, FloatsUpCreepsAndDropsOnTheHeroBelow) {
    EnemyWorld world;
    Pot& pot = world.spawn<Pot>("Pot", 20.0f, 2.0f);
    pot.puppet.damp({0.0f, 0.0f});
    EXPECT_GT(velocityChange(pot).y, 0.005f) << "low: it rises";
    EXPECT_EQ(pot.state, 0) << "no states";

    pot.moveTo({20.0f, 4.5f});
    pot.update();
    pot.puppet.damp({0.0f, 0.0f});
    const Vec2 cruising = velocityChange(pot);
    EXPECT_NEAR(cruising.y, 0.0f, 1e-4f) << "at cruising height it neither rises nor drops";
    EXPECT_LT(cruising.x, -0.0005f) << "it creeps towards the hero";

    pot.moveTo({20.0f, 6.0f});
    pot.update();
    pot.update();
    EXPECT_EQ(pot.attackTimer, 0) << "the hero is far off along x";
    world.putHero(21.5f, 0.5f);
    pot.puppet.damp({0.0f, 0.0f});
    const Vec2 drop = velocityChange(pot);
    EXPECT_LT(drop.y, -0.005f);
    EXPECT_EQ(pot.attackTimer, 39);

    // Light while it floats, heavy once beaten.
    pot.puppet.damp({0.0f, 0.0f});
    pot.applyGravity({0.0f, -0.01f});
    EXPECT_NEAR(pot.puppet.velocity().y, -0.001f, 1e-4f);
    pot.puppet.set(Puppet::posed, false);
    pot.puppet.damp({0.0f, 0.0f});
    pot.applyGravity({0.0f, -0.01f});
    EXPECT_NEAR(pot.puppet.velocity().y, -0.01f, 1e-4f);
}

TEST(MaskTest, RearsThenLungesOnlyFromTheGround) {
    EnemyWorld world;
    Mask& mask = world.spawn<Mask>("Mask", 20.0f, 1.0f);
    EXPECT_EQ(updatesUntilStateChanges(mask), 21);
    EXPECT_TRUE(posedAs(mask, "data\\puppets\\mask\\w0.pose"));
    EXPECT_EQ(mask.attackTimer, 49);
    for (int i = 0; i < 100; ++i) mask.update();
    EXPECT_EQ(mask.state, 2) << "in the air it waits to lunge";
    mask.onGround = true;
    mask.puppet.damp({0.0f, 0.0f});
    const Vec2 lunge = velocityChange(mask);
    EXPECT_EQ(mask.state, 0);
    EXPECT_TRUE(posedAs(mask, "data\\puppets\\mask\\w1.pose"));
    EXPECT_LT(lunge.x, -0.15f);
    EXPECT_GT(lunge.y, 0.05f);
    EXPECT_EQ(mask.attackTimer, 99);
}

TEST(PinokoTest, PacesBetweenTheEndsWithItsAttackAlwaysLive) {
    EnemyWorld world;
    Pinoko& pinoko = world.spawn<Pinoko>("Pinoko", 5.0f, 1.0f);
    EXPECT_TRUE(pinoko.puppet.has(Puppet::facingRight)) << "near the left end it turns right";
    EXPECT_EQ(pinoko.attackTimer, 9);
    pinoko.puppet.damp({0.0f, 0.0f});
    EXPECT_NEAR(velocityChange(pinoko).x, 0.0f, 1e-3f) << "it walks only on the ground";
    pinoko.onGround = true;
    pinoko.puppet.damp({0.0f, 0.0f});
    EXPECT_NEAR(velocityChange(pinoko).x, 0.02f, 1e-4f);

    // Its place is known one update after a move.
    pinoko.moveTo({20.0f, 1.0f});  // the middle: it keeps its way, whatever the hero does
    pinoko.update();
    pinoko.update();
    EXPECT_TRUE(pinoko.puppet.has(Puppet::facingRight));
    pinoko.moveTo({40.0f, 1.0f});  // within 10 of the right end: 47 lines
    pinoko.update();
    pinoko.update();
    EXPECT_FALSE(pinoko.puppet.has(Puppet::facingRight));
    pinoko.moveTo({20.0f, 1.0f});
    pinoko.update();
    pinoko.update();
    EXPECT_FALSE(pinoko.puppet.has(Puppet::facingRight));

    // Walking in the world it stays on the stage, turning at both ends (the hero out of its way).
    world.hero->category = 0;
    float least = 100.0f, most = 0.0f;
    for (int i = 0; i < 6000; ++i) {
        world.step();
        least = std::min(least, pinoko.position.x);
        most = std::max(most, pinoko.position.x);
    }
    EXPECT_LT(least, 10.5f);
    EXPECT_GT(most, 36.5f);
    EXPECT_GT(least, 0.0f);
    EXPECT_LT(most, 47.0f);
}

TEST(StumpTest, WaitsForTheHeroStrikesSlumpsAndRecovers) {
    EnemyWorld world;
    Stump& stump = world.spawn<Stump>("Stump", 20.0f, 1.0f, 1.0f, 2.0f);
    world.putHero(11.5f, 0.5f);  // 8.5 away: more than 4 times its scale of 2
    for (int i = 0; i < 300; ++i) stump.update();
    EXPECT_EQ(stump.state, 0);

    world.putHero(stump.position.x - 7.5f, 0.5f);  // 7.5 truncates to 7: within 8
    stump.update();
    EXPECT_EQ(stump.state, 1);
    EXPECT_TRUE(posedAs(stump, "data\\puppets\\stump\\a0.pose"));
    EXPECT_EQ(updatesUntilStateChanges(stump), 41);
    EXPECT_TRUE(posedAs(stump, "data\\puppets\\stump\\a1.pose"));
    EXPECT_EQ(stump.attackTimer, 99);
    EXPECT_EQ(updatesUntilStateChanges(stump), 2);
    EXPECT_FALSE(stump.puppet.has(Puppet::posed)) << "slumped";
    EXPECT_EQ(updatesUntilStateChanges(stump), 101);
    EXPECT_TRUE(stump.puppet.has(Puppet::posed));
    EXPECT_EQ(stump.alpha, 1.0f) << "limp, not beaten";
    EXPECT_EQ(stump.state, 4);
    EXPECT_EQ(updatesUntilStateChanges(stump), 1);
    int settling = 1;
    while (stump.state != 0 && settling < 200) {
        stump.update();
        ++settling;
    }
    EXPECT_EQ(settling, 78) << "states 4 to 81, one update each";

    stump.life = -0.1f;
    stump.update();
    EXPECT_LT(stump.alpha, 1.0f);
}

TEST(ClayTest, WindsUpThenJabsInThreeBeats) {
    EnemyWorld world;
    Clay& clay = world.spawn<Clay>("Clay", 20.0f, 1.0f);
    EXPECT_TRUE(posedAs(clay, "data\\puppets\\clay\\a0.pose"));
    EXPECT_EQ(updatesUntilStateChanges(clay), 31);
    EXPECT_EQ(clay.attackTimer, 3);
    const char* beats[] = {"data\\puppets\\clay\\a1.pose", "data\\puppets\\clay\\a2.pose",
                           "data\\puppets\\clay\\a1.pose", "data\\puppets\\clay\\normal.pose",
                           "data\\puppets\\clay\\a0.pose"};
    EXPECT_TRUE(posedAs(clay, beats[0]));
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(updatesUntilStateChanges(clay), 3) << i;
        EXPECT_TRUE(posedAs(clay, beats[i])) << beats[i];
    }
    EXPECT_EQ(clay.state, 1);
}

TEST(EggTest, ActsForThreeHundredRestsForTwoHundred) {
    EnemyWorld world;
    Egg& egg = world.spawn<Egg>("Egg", 20.0f, 1.0f);
    ASSERT_EQ(egg.hatchTimer, 299) << "starts at 300; its first update counted one";
    // Runs of acting (posed) and resting (limp), in updates, the spawning update included.
    std::vector<int> runs{1};
    bool acting = true;
    int words = world.countExactly<Word>();
    for (int i = 0; i < 1400; ++i) {
        egg.update();
        const bool now = egg.puppet.has(Puppet::posed);
        if (now == acting) {
            ++runs.back();
        } else {
            runs.push_back(1);
            acting = now;
        }
    }
    ASSERT_GE(runs.size(), 5u);
    EXPECT_EQ(runs[0], 301);
    EXPECT_EQ(runs[1], 200);
    EXPECT_EQ(runs[2], 301);
    EXPECT_EQ(runs[3], 200);
    // An "Ora" at every round of seven poses, three updates each.
    words = world.countExactly<Word>() - words;
    EXPECT_NEAR(words, (301 + 300 + 300) / 21, 3);
    EXPECT_EQ(egg.alpha, 1.0f) << "resting is not beaten";
}

TEST(ImoTest, NeverHitNeverBurstsHitItBurstsAndGivesUp) {
    EnemyWorld world;
    Imo& imo = world.spawn<Imo>("Imo", 20.0f, 1.0f);
    for (int i = 0; i < 2000; ++i) {
        if (i % 50 == 0) imo.onGround = true;
        imo.update();
    }
    EXPECT_EQ(imo.state, 0);
    EXPECT_EQ(imo.life, 1.0f);
    EXPECT_EQ(imo.attackTimer, 9) << "its skin always stings";
    EXPECT_TRUE(imo.puppet.has(Puppet::posed));

    imo.onGround = true;
    imo.puppet.damp({0.0f, 0.0f});
    EXPECT_GT(velocityChange(imo).y, 0.04f) << "a hop while it waits";

    imo.damage({3.0f, 4.0f});
    EXPECT_FLOAT_EQ(imo.life, 0.5f);
    EXPECT_EQ(imo.hurtTimer, 25);
    const int wordsBefore = world.countExactly<Word>();
    int burstAt = 0, spentAt = 0, mirrors = 0;
    bool facing = imo.puppet.has(Puppet::facingRight);
    for (int n = 1; n <= 400 && !spentAt; ++n) {
        imo.update();
        if (imo.puppet.has(Puppet::facingRight) != facing) ++mirrors;
        facing = imo.puppet.has(Puppet::facingRight);
        if (!burstAt && world.countExactly<Word>() > wordsBefore) burstAt = n;
        if (imo.life < 0.0f) spentAt = n;
    }
    EXPECT_EQ(burstAt, 102);
    EXPECT_TRUE(posedAs(imo, "data\\puppets\\imo\\0.pose"));
    EXPECT_FALSE(imo.puppet.has(Puppet::posed));
    EXPECT_EQ(spentAt, 205);
    EXPECT_GT(mirrors, 20) << "it shook before the burst";
    EXPECT_EQ(imo.category, kEnemyCategory) << "counted until it is gone";
    imo.update();
    EXPECT_LT(imo.alpha, 1.0f);
}

TEST(KnightTest, MarchesAndSwingsThenRestsAndFreezesMidSwing) {
    EnemyWorld world;
    Knight& knight = world.spawn<Knight>("Knight", 20.0f, 1.0f);
    EXPECT_EQ(knight.cycle, 1);
    EXPECT_TRUE(posedAs(knight, "data\\puppets\\knight\\a0.pose"));
    EXPECT_EQ(knight.attackTimer, 9);
    const char* swing[] = {"data\\puppets\\knight\\a2.pose", "data\\puppets\\knight\\a1.pose",
                           "data\\puppets\\knight\\a2.pose", "data\\puppets\\knight\\a0.pose"};
    for (const char* pose : swing) {
        EXPECT_EQ(updatesUntilStateChanges(knight), 5);
        EXPECT_TRUE(posedAs(knight, pose)) << pose;
    }
    knight.onGround = true;
    knight.stateTimer = 0;
    knight.puppet.damp({0.0f, 0.0f});
    EXPECT_NEAR(velocityChange(knight).x, -0.03f, 1e-4f) << "a step at the hero with every swing";

    // The rest begins while it is mid-swing: it stands still until the march comes round again.
    knight.cycle = 299;
    knight.state = 2;
    knight.stateTimer = 0;
    knight.update();
    EXPECT_EQ(knight.cycle, 300);
    int still = 0;
    while (knight.state == 2 && still < 700) {
        knight.onGround = true;
        knight.update();
        ++still;
    }
    EXPECT_EQ(knight.cycle, 0);
    EXPECT_EQ(still, 301) << "from cycle 301 to the wrap";
    EXPECT_TRUE(posedAs(knight, "data\\puppets\\knight\\a1.pose"));

    // A rest begun in state 0 or 1 shifts from foot to foot.
    knight.cycle = 400;
    knight.state = 0;
    knight.stateTimer = 0;
    knight.update();
    EXPECT_TRUE(posedAs(knight, "data\\puppets\\knight\\normal.pose"));
    EXPECT_EQ(updatesUntilStateChanges(knight), 5);
    EXPECT_TRUE(posedAs(knight, "data\\puppets\\knight\\n0.pose"));
    for (int i = 0; i < 10; ++i) knight.update();
    EXPECT_EQ(knight.attackTimer, 0) << "no sword while resting";
}

TEST(LightWalkersTest, PinokoStumpClayAndImoFallAtTwoFifthsOfGravity) {
    EnemyWorld world;
    const char* kinds[] = {"Pinoko", "Stump", "Clay", "Imo"};
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        Enemy* enemy = &world.spawn<Enemy>(kind, 20.0f, 1.0f);
        enemy->puppet.damp({0.0f, 0.0f});
        enemy->applyGravity({0.0f, -0.01f});
        EXPECT_NEAR(enemy->puppet.velocity().y, -0.004f, 1e-5f);
    }
}

TEST(DistanceRulesTest, EachLimitHoldsOnBothSides) {
    EnemyWorld world;
    // The pot's drop is measured from the ground under it: raise the ground to 2.
    std::fill(world.scene.ground.heights.begin(), world.scene.ground.heights.end(), 2.0f);
    world.scene.ground.refresh();
    Pot& pot = world.spawn<Pot>("Pot", 20.0f, 6.0f);
    // The vertical push of one update with the pot placed at (x, y) and the hero at 20 + heroDx.
    auto potLift = [&](float y, float heroDx) {
        world.putHero(20.0f + heroDx, 2.5f);
        pot.moveTo({20.0f, y});
        pot.update();
        pot.puppet.damp({0.0f, 0.0f});
        return velocityChange(pot).y;
    };
    EXPECT_LT(potLift(7.5f, 1.5f), -0.005f) << "5.5 above the ground, the hero right below: it drops";
    EXPECT_NEAR(potLift(6.5f, 1.5f), 0.0f, 1e-3f) << "only 4.5 above the ground: it cruises";
    EXPECT_NEAR(potLift(7.5f, 2.5f), 0.0f, 1e-3f) << "the hero 2.5 off along x, truncated to 2: too far";
    EXPECT_LT(potLift(7.5f, -1.9f), -0.005f) << "1.9 off on the other side truncates to 1";
    EXPECT_GT(potLift(3.9f, 9.0f), 0.005f) << "below 4 it rises";
    EXPECT_NEAR(potLift(4.1f, 9.0f), 0.0f, 1e-3f);

    // Pinoko turns within ten units of either end of the 47-line stage, and only there.
    Pinoko& pinoko = world.spawn<Pinoko>("Pinoko", 20.0f, 1.0f);
    auto facesRightAt = [&](float x) {
        pinoko.moveTo({x, 1.0f});
        pinoko.update();
        pinoko.update();
        return pinoko.puppet.has(Puppet::facingRight);
    };
    pinoko.puppet.faceLeft();
    EXPECT_FALSE(facesRightAt(10.5f));
    EXPECT_TRUE(facesRightAt(9.5f));
    EXPECT_TRUE(facesRightAt(36.5f));
    EXPECT_FALSE(facesRightAt(37.5f));

    // The last boss closes in while the hero is more than 5 away (truncated).
    LastBoss& boss = world.spawn<LastBoss>("LastBoss", 24.0f, 6.0f);
    auto bossPush = [&](float heroDx) {
        world.putHero(boss.position.x + heroDx, 0.5f);
        boss.puppet.damp({0.0f, 0.0f});
        boss.update();
        return boss.puppet.velocity().x;
    };
    EXPECT_GT(bossPush(6.5f), 0.05f);
    EXPECT_NEAR(bossPush(5.9f), 0.0f, 5e-3f);
    EXPECT_NEAR(bossPush(-5.9f), 0.0f, 5e-3f);
    EXPECT_LT(bossPush(-6.5f), -0.05f);
}
