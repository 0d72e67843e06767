// Stage files: what a stage start reads and places, and where.

#include "flow_run.h"
#include "game/world/object_factory.h"
#include "game/world/star.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

TEST(Stages, BackgroundSpritesStandOnTheInterpolatedGround) {
    FlowRun run;
    run.folder.write("data/stage/0.ground", "{size=5,heights=[0,0,1,1,1,],}");
    run.folder.write("bg/tree.part",
                     "{texture=t.png,pic_frame=[{x=-0.5,y=0.5,},{x=-0.5,y=-0.5,v=1,},{x=0.5,y=-0.5,u=1,v=1,},"
                     "{x=0.5,y=0.5,u=1,},],joints=[],bound=[],},");
    run.folder.write("data/stage/0.bos",
                     "[{name=bg\\tree.part,x=1.5,z=-2,alpha=0.5,scale=1,},{x=3.2,},{x=-0.5,z=1,},{x=7,scale=2,},]");
    run.start();
    run.press(kPadKeyZ);
    GameScene& scene = *run.scene;
    ASSERT_EQ(scene.backgroundSprites.size(), 4u);
    const auto centre = [&](std::size_t i) { return scene.backgroundSprites[i]->frame.centre(); };
    EXPECT_NEAR(centre(0).y, 2.5f, 1e-5) << "0.5 of interpolated ground, plus 2";
    EXPECT_NEAR(centre(0).x, 1.5f, 1e-5);
    EXPECT_NEAR(centre(1).y, 2.0f, 1e-5) << "index + 1 is the last sample: height 0";
    EXPECT_NEAR(centre(1).x, 3.2f, 1e-5);
    EXPECT_NEAR(centre(2).y, 2.0f, 1e-5) << "x -0.5 truncates to column 0, whose next sample is 0";
    EXPECT_NEAR(centre(3).y, 2.0f, 1e-5) << "beyond the ground";
    // Keys missing from an entry keep the previous entry's values: the same part, depth and opacity.
    EXPECT_FLOAT_EQ(scene.backgroundSprites[1]->z, -2.0f);
    EXPECT_FLOAT_EQ(scene.backgroundSprites[1]->alpha, 0.5f);
    EXPECT_FLOAT_EQ(scene.backgroundSprites[2]->z, 1.0f);
    ASSERT_REAL_TEXTURES(run);
    EXPECT_NE(scene.backgroundSprites[0]->texture, 0u);
    EXPECT_EQ(scene.backgroundSprites[1]->texture, scene.backgroundSprites[0]->texture);
    const auto width = [&](std::size_t i) {
        const auto& c = scene.backgroundSprites[i]->frame;
        return std::hypot(c.corners[0].x - c.corners[1].x, c.corners[0].y - c.corners[1].y);
    };
    EXPECT_NEAR(width(3), 2.0f * width(0), 1e-4) << "scale 2";
}

TEST(Stages, EnemyAndItemListsFillMissingKeysFromThePreviousEntry) {
    FlowRun run;
    run.folder.writeLevelGround("data/stage/0.ground", 40);
    run.folder.write("data/stage/0.enemies",
                     "[{x=10,y=3,},{name=Bubble,x=12,y=4,life=2.5,scale=1.5,},{x=20,},{life=0.25,},"
                     "not a map,{y=nope,},]");
    run.folder.write("data/stage/0.items", "[{name=Pumpkin,x=8,y=2,},{x=9,},]");
    run.start();
    run.press(kPadKeyZ);
    GameScene& scene = *run.scene;
    std::vector<const GameObject*> enemies, items;
    for (const auto& object : scene.objects) {
        if (object->category == 8) enemies.push_back(object.get());
        if (object->category == 16) items.push_back(object.get());
    }
    ASSERT_EQ(enemies.size(), 5u);
    EXPECT_FLOAT_EQ(enemies[0]->life, 1.0f) << "no life in the first entry: an object's own starting life";
    EXPECT_FLOAT_EQ(enemies[1]->life, 2.5f);
    EXPECT_FLOAT_EQ(enemies[2]->life, 2.5f) << "an entry without life takes the previous one's";
    EXPECT_FLOAT_EQ(enemies[3]->life, 0.25f);
    EXPECT_FLOAT_EQ(enemies[4]->life, 0.25f) << "a value that does not parse changes nothing";
    for (const GameObject* enemy : enemies) {
        EXPECT_EQ(enemy->collidesWith, 5u);
    }
    EXPECT_EQ(static_cast<const PuppetObject*>(enemies[2])->puppet.poseScale, 1.5f);
    EXPECT_EQ(static_cast<const PuppetObject*>(enemies[0])->puppet.poseScale, 1.0f);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1]->collidesWith, 5u);
    EXPECT_EQ(scene.enemyCount(), 5);
}

TEST(Stages, ModeOneStageThreeReadsTheCrazyFilesNumberedTwo) {
    FlowRun run;
    run.folder.writeLevelGround("data/crazy/2.ground", 31);
    run.folder.writeLevelGround("data/stage/2.ground", 11);
    run.folder.write("data/crazy/2.enemies", "[{name=Bubble,x=12,y=3,},]");
    run.folder.write("data/crazy/2.items", "[{name=BigItem,x=10,y=3,},{x=11,},]");
    run.folder.write("data/crazy/2.enemies2", "[{name=Bubble,x=14,y=3,},{x=15,},{x=16,},]");
    run.folder.write("data/crazy/2.bos", "[{name=missing.part,x=4,},]");
    run.folder.write("data/debug.cfg", "start_stage=2\n");
    run.start();
    run.machine.pad.keys = kPadKeyDown;
    run.frame();
    run.press(kPadKeyDown | kPadKeyZ);
    GameScene& scene = *run.scene;
    ASSERT_EQ(scene.mode, 1);
    ASSERT_EQ(scene.stageNumber, 3);
    EXPECT_EQ(scene.stageDirectory(), "data\\crazy\\");
    EXPECT_EQ(scene.ground.lineCount(), 30u);
    EXPECT_EQ(scene.enemyCount(), 1);
    EXPECT_EQ(scene.backgroundSprites.size(), 1u);
    int items = 0;
    for (const auto& object : scene.objects) items += object->category == 16;
    EXPECT_EQ(items, 2);

    // The second wave comes from 2.enemies2 once the first is gone.
    for (const auto& object : scene.objects) {
        if (object->category == 8) object->category = 0;
    }
    ASSERT_GT(run.runUntil([&] { return scene.stagePhase == 3; }), 0);
    EXPECT_EQ(scene.enemyCount(), 3);
}

TEST(Stages, ShowWordRaisesAWordAboveTheHero) {
    FlowRun run;
    run.folder.writeLevelGround("data/stage/0.ground", 40);
    run.folder.writeFigure("data/etc/warning.model", "data/etc/warning.pose", 2);
    run.start();
    run.press(kPadKeyZ);
    GameScene& scene = *run.scene;
    const std::size_t before = scene.objects.size();
    scene.showWord("Warning", 2.0f);
    ASSERT_EQ(scene.objects.size(), before + 1);
    const auto& word = static_cast<const PuppetObject&>(*scene.objects.back());
    EXPECT_EQ(word.category, 0u);
    EXPECT_EQ(word.collidesWith, 0u);
    EXPECT_EQ(word.puppet.partCount(), 2u);
    EXPECT_FLOAT_EQ(word.puppet.poseScale, 2.0f);
    EXPECT_NEAR(word.position.x, scene.hero->position.x, 0.05);
    EXPECT_GT(word.position.y, scene.hero->position.y + 2.0f) << "pushed upwards, three updates on";
}

// Whatever a stage shows after its start (the second wave, the words that pop up, the hero's stars)
// is read at the start, behind the curtain: a picture read on first use in play makes that frame late.
TEST(Stages, AStageStartReadsItsSecondWaveWordsAndStarsAhead) {
    FlowRun run;
    run.folder.writeLevelGround("data/stage/0.ground", 40);
    run.folder.write("data/stage/0.enemies2", "[{name=Hornet,x=14,y=3,},]");
    run.folder.writeFigure("data/puppets/hornet/0.model", "data/puppets/hornet/normal.pose", 2);
    run.folder.writeFigure("data/hero/ma/star.model", "data/hero/ma/star.pose", 1);
    const char* const words[] = {"Uki", "Don", "Ora", "Zaku", "Iyan", "Warning", "Clear"};
    for (const char* word : words) {
        std::string model = wordFiles(word).model, pose = wordFiles(word).pose;
        std::replace(model.begin(), model.end(), '\\', '/');
        std::replace(pose.begin(), pose.end(), '\\', '/');
        run.folder.writeFigure(model, pose, 3);
    }
    run.start();
    run.press(kPadKeyZ);
    GameScene& scene = *run.scene;
    const std::size_t readAtStart = run.cache.size();

    // No first wave: the warning, then the second wave.
    ASSERT_GT(run.runUntil([&] { return scene.stagePhase == 3; }), 0);
    EXPECT_EQ(scene.enemyCount(), 1);
    for (const char* word : words) scene.showWord(word, 1.0f);
    const Star star;
    EXPECT_EQ(star.puppet.partCount(), 1u);
    EXPECT_EQ(run.cache.size(), readAtStart) << "a picture was read in the middle of play";
}
