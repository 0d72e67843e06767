// The game scene's flow, played in-process with a scripted pad over small stages made on the spot.

#include "flow_run.h"
#include "game/flow/camera.h"
#include "game/world/puppet_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr const char* kTitleMusic = "data\\music\\m0.wav";
constexpr const char* kStageMusic = "data\\music\\A.wav";
constexpr const char* kStaffMusic = "data\\music\\m1.wav";
constexpr const char* kBossMusic = "data\\music\\boss.wav";
constexpr const char* kClearMusic = "data\\music\\1.wav";
constexpr const char* kDeathMusic = "data\\music\\d1.wav";

// Figures of the fixture are told apart by their number of parts.
constexpr int kHeroParts = 1;
constexpr int kEnemyParts = 2;
constexpr int kStageWordParts = 3;
constexpr int kWarningParts = 4;
constexpr int kClearParts = 5;
constexpr int kLastStageParts = 6;

// Stages numbered 0 to 8 in both sets, each a level ground of a different length so that a test can
// tell which file was read; no enemies unless a test writes some.
void writeStages(const FlowFolder& folder) {
    for (const char* set : {"stage", "crazy"}) {
        for (int n = 0; n <= 8; ++n) {
            const int length = (set[0] == 'c' ? 100 : 20) + n;
            folder.writeLevelGround(std::string("data/") + set + "/" + std::to_string(n) + ".ground", length + 1);
        }
    }
    for (int n = 0; n <= 8; ++n) {
        folder.writeFigure("data/hero/" + std::to_string(n) + ".model", "data/hero/normal.pose", kHeroParts);
    }
    folder.writeFigure("data/puppets/bubble/0.model", "data/puppets/bubble/normal.pose", kEnemyParts);
    for (int n = 1; n <= 7; ++n) {
        folder.writeFigure("data/etc/stage" + std::to_string(n) + ".model",
                           "data/etc/stage" + std::to_string(n) + ".pose", kStageWordParts);
    }
    folder.writeFigure("data/etc/warning.model", "data/etc/warning.pose", kWarningParts);
    folder.writeFigure("data/etc/clear.model", "data/etc/clear.pose", kClearParts);
    folder.writeFigure("data/etc/laststage.model", "data/etc/laststage.pose", kLastStageParts);
}

int figuresWithParts(const GameScene& scene, std::size_t parts) {
    return static_cast<int>(std::count_if(scene.objects.begin(), scene.objects.end(), [&](const auto& object) {
        const auto* figure = dynamic_cast<const PuppetObject*>(object.get());
        return figure && figure->puppet.partCount() == parts;
    }));
}

// From the title, confirm and wait until the curtain is up.
void startFirstStage(FlowRun& run) {
    run.press(kPadKeyZ);
    ASSERT_GT(run.runUntil([&] { return run.scene->curtain.isLifted(); }), 0);
}

}  // namespace

TEST(GameFlow, TitleMenuFollowsThePadAndConfirmStartsTheChosenSet) {
    FlowRun run;
    writeStages(run.folder);
    run.start();
    ListenedGameScene& scene = *run.scene;
    EXPECT_EQ(run.scene->music, std::vector<std::string>{kTitleMusic});
    EXPECT_EQ(scene.menuState, 0);
    EXPECT_EQ(scene.stageNumber, 1);
    EXPECT_TRUE(scene.waitingForStart);
    EXPECT_TRUE(scene.curtain.isDown());
    EXPECT_EQ(scene.hero, nullptr);
    EXPECT_FLOAT_EQ(cameraZ, 8.0f) << "no debug.cfg: the default camera distance";

    run.machine.pad.keys = kPadKeyDown;
    run.run(3);
    EXPECT_EQ(scene.menuState, 1);
    run.machine.pad.keys = 0;
    run.run(3);
    EXPECT_EQ(scene.menuState, 1) << "the choice stays when the pad is released";
    run.machine.pad.keys = kPadKeyUp;
    run.frame();
    EXPECT_EQ(scene.menuState, 0);
    run.machine.pad.keys = kPadKeyDown;
    run.frame();
    run.machine.pad.keys = kPadKeyDown | kPadKeyX;  // not a confirm
    run.frame();
    EXPECT_EQ(scene.menuState, 1);
    EXPECT_EQ(scene.hero, nullptr);

    // Confirm on the lower item: the crazy set, its stage 1 loaded at once behind a rising curtain.
    run.machine.pad.keys = kPadKeyDown | kPadKeyZ;
    run.frame();
    run.machine.pad.keys = 0;
    EXPECT_EQ(scene.mode, 1);
    EXPECT_EQ(scene.menuState, 2);
    EXPECT_FALSE(scene.waitingForStart);
    ASSERT_NE(scene.hero, nullptr);
    EXPECT_EQ(scene.ground.lineCount(), 100u) << "data\\crazy\\0.ground";
    EXPECT_EQ(scene.sounds, (std::vector<std::string>{"data\\sound\\piko.wav", "data\\sound\\start.wav"}));
    EXPECT_EQ(scene.music.back(), kStageMusic);
    EXPECT_EQ(figuresWithParts(scene, kStageWordParts), 1) << "the title word \"Stage1\"";
    EXPECT_EQ(scene.hero->category, 4u);
    EXPECT_EQ(scene.hero->collidesWith, 25u);
    EXPECT_FLOAT_EQ(scene.hero->z, 0.1f);
    EXPECT_NEAR(scene.hero->position.x, 6.0f, 1e-4);
    EXPECT_NEAR(scene.hero->position.y, 4.0f, 0.05);
}

TEST(GameFlow, TheWorldStaysFrozenUntilTheCurtainIsLifted) {
    FlowRun run;
    writeStages(run.folder);
    run.start();
    run.press(kPadKeyZ);
    ListenedGameScene& scene = *run.scene;
    ASSERT_NE(scene.hero, nullptr);
    const Vec2 start = scene.hero->position;
    int frozenFrames = 0;
    while (!scene.curtain.isLifted() && frozenFrames < 2000) {
        EXPECT_EQ(scene.stagePhase, 0);
        EXPECT_EQ(scene.hero->position.x, start.x);
        EXPECT_EQ(scene.hero->position.y, start.y);
        run.frame();
        ++frozenFrames;
    }
    ASSERT_TRUE(scene.curtain.isLifted());
    EXPECT_GT(frozenFrames, 20) << "the curtain takes a while to rise";
    // The frame whose curtain step lifted it ran the world already.
    EXPECT_EQ(scene.stagePhase, 1) << "no enemies: the first wave counts as beaten";
    EXPECT_EQ(scene.phaseTimer, 100);
    run.frame();  // an object's position follows its puppet at its next update
    EXPECT_LT(scene.hero->position.y, start.y) << "gravity pulls the hero down";
}

TEST(GameFlow, AStageWithoutEnemiesGoesThroughWarningSecondWaveClearAndNextStage) {
    FlowRun run;
    writeStages(run.folder);
    run.start();
    startFirstStage(run);
    ListenedGameScene& scene = *run.scene;
    scene.music.clear();

    EXPECT_EQ(scene.stagePhase, 1);
    EXPECT_EQ(scene.phaseTimer, 100);
    run.run(100);
    EXPECT_EQ(scene.stagePhase, 1) << "100 frames of timer";
    EXPECT_EQ(figuresWithParts(scene, kWarningParts), 0);
    run.frame();
    EXPECT_EQ(scene.stagePhase, 2);
    EXPECT_EQ(scene.phaseTimer, 150);
    EXPECT_EQ(scene.music, std::vector<std::string>{kBossMusic});
    EXPECT_EQ(figuresWithParts(scene, kWarningParts), 1);
    run.run(150);
    EXPECT_EQ(scene.stagePhase, 2);
    run.frame();
    EXPECT_EQ(scene.stagePhase, 3) << "the (missing) second wave is loaded";
    run.frame();
    EXPECT_EQ(scene.stagePhase, 4);
    run.run(100);
    EXPECT_EQ(figuresWithParts(scene, kClearParts), 0);
    run.frame();
    EXPECT_EQ(scene.stagePhase, 5);
    EXPECT_EQ(scene.music, (std::vector<std::string>{kBossMusic, kClearMusic}));
    EXPECT_EQ(figuresWithParts(scene, kClearParts), 1);
    run.run(100);
    EXPECT_EQ(scene.stageNumber, 1);
    run.frame();
    EXPECT_EQ(scene.stagePhase, 6);
    EXPECT_EQ(scene.stageNumber, 2);
    EXPECT_TRUE(scene.waitingForStart);
    EXPECT_EQ(scene.curtain.lifting, 0) << "the curtain falls";

    // Between stages nothing moves; a confirm before the curtain is down is ignored.
    run.press(kPadKeyZ);
    EXPECT_TRUE(scene.waitingForStart);
    EXPECT_EQ(scene.stagePhase, 6);
    ASSERT_GT(run.runUntil([&] { return scene.curtain.isDown(); }), 0);
    run.press(kPadKeyZ);
    EXPECT_FALSE(scene.waitingForStart);
    EXPECT_EQ(scene.stageNumber, 2);
    EXPECT_EQ(scene.stagePhase, 0);
    EXPECT_EQ(scene.ground.lineCount(), 21u) << "data\\stage\\1.ground";
}

TEST(GameFlow, DeathPromptsAfter100FramesAndContinueRepeatsTheStage) {
    FlowRun run;
    writeStages(run.folder);
    run.start();
    startFirstStage(run);
    ListenedGameScene& scene = *run.scene;
    run.run(5);
    scene.hero->life = 0.00001f;  // as low as a living hero can be
    scene.music.clear();
    run.frame();
    ASSERT_EQ(scene.continueState, 1);
    EXPECT_EQ(scene.music, std::vector<std::string>{kDeathMusic});

    // The world goes on while the prompt waits: the phase timer keeps counting.
    const int timerBefore = scene.phaseTimer;
    int promptAt = run.runUntil([&] { return scene.continueDelay == 0; });
    EXPECT_EQ(promptAt + 1, 100) << "the prompt comes 100 frames after the death";
    EXPECT_NE(scene.phaseTimer, timerBefore);
    EXPECT_EQ(scene.continueState, 1) << "the prompt starts on continue";

    run.machine.pad.keys = kPadKeyRight;
    run.frame();
    EXPECT_EQ(scene.continueState, 2);
    run.machine.pad.keys = kPadKeyLeft;
    run.frame();
    EXPECT_EQ(scene.continueState, 1);
    run.machine.pad.keys = 0;
    run.frame();
    run.press(kPadKeyZ);
    EXPECT_EQ(scene.continueState, 0);
    EXPECT_EQ(scene.stageNumber, 1) << "the same stage is offered again";
    EXPECT_TRUE(scene.waitingForStart);
    EXPECT_EQ(scene.endingCounter, 0);

    ASSERT_GT(run.runUntil([&] { return scene.curtain.isDown(); }), 0);
    run.press(kPadKeyZ);
    ASSERT_NE(scene.hero, nullptr);
    // A new hero (the allocator may well give it the old one's address): full life again.
    EXPECT_FLOAT_EQ(scene.hero->life, 1.0f);
    EXPECT_EQ(scene.stageNumber, 1);
    EXPECT_EQ(scene.stagePhase, 0);
    EXPECT_EQ(scene.continueState, 0);
}

TEST(GameFlow, GivingUpShowsTheEndingAndAConfirmReturnsToTheLogo) {
    FlowRun run;
    writeStages(run.folder);
    run.start();
    startFirstStage(run);
    ListenedGameScene& scene = *run.scene;
    ASSERT_REAL_TEXTURES(run);
    const Texture title = scene.curtainTexture;
    ASSERT_NE(title, 0u);
    ASSERT_NE(scene.endTexture, 0u);
    scene.hero->life = -0.2f;
    run.run(100);
    ASSERT_EQ(scene.continueDelay, 0);
    run.machine.pad.keys = kPadKeyRight;
    run.frame();
    run.machine.pad.keys = kPadKeyRight | kPadKeyZ;
    run.frame();
    run.machine.pad.keys = 0;
    EXPECT_EQ(scene.endingCounter, 1);
    EXPECT_EQ(scene.curtain.lifting, 0);
    EXPECT_EQ(scene.curtainTexture, scene.endTexture);
    EXPECT_NE(scene.curtainTexture, title) << "the ending picture, not the title";

    ASSERT_GT(run.runUntil([&] { return scene.curtain.isDown(); }), 0);
    EXPECT_GT(scene.endingCounter, 10) << "the ending counts frames";
    EXPECT_TRUE(run.gameOnTop());
    run.press(kPadKeyZ);
    EXPECT_FALSE(run.gameOnTop()) << "the scene pops itself and the logo returns";
    EXPECT_EQ(GameScene::instance(), nullptr);
}

TEST(GameFlow, ClearingTheStaffStageEndsTheGame) {
    FlowRun run;
    writeStages(run.folder);
    run.folder.write("data/debug.cfg", "start_stage=8\nz_pos=11.5\n");
    run.start();
    ListenedGameScene& scene = *run.scene;
    EXPECT_FLOAT_EQ(cameraZ, 11.5f);
    EXPECT_EQ(scene.stageNumber, 9);
    ASSERT_REAL_TEXTURES(run);
    const Texture title = scene.curtainTexture;
    ASSERT_NE(title, 0u);
    ASSERT_NE(scene.endTexture, title) << "two pictures, two textures";
    startFirstStage(run);
    EXPECT_TRUE(scene.inStaffStage());
    EXPECT_EQ(scene.music, (std::vector<std::string>{kTitleMusic, kStaffMusic}));
    EXPECT_EQ(figuresWithParts(scene, kStageWordParts) + figuresWithParts(scene, kLastStageParts), 0)
        << "no title word in the staff stage";

    ASSERT_GT(run.runUntil([&] { return scene.stagePhase == 6; }), 0);
    EXPECT_EQ(scene.music, (std::vector<std::string>{kTitleMusic, kStaffMusic})) << "its music plays on";
    EXPECT_EQ(scene.endingCounter, 1);
    EXPECT_FALSE(scene.waitingForStart);
    EXPECT_EQ(scene.curtainTexture, title) << "the title picture falls";
    run.press(kPadKeyZ);
    EXPECT_TRUE(run.gameOnTop()) << "not before the curtain is down";
    ASSERT_GT(run.runUntil([&] { return scene.curtain.isDown(); }), 0);
    run.press(kPadKeyZ);
    EXPECT_FALSE(run.gameOnTop());
}

TEST(GameFlow, StartStageChoosesTheFirstStagePlayed) {
    {
        FlowRun run;
        writeStages(run.folder);
        run.folder.write("data/debug.cfg", "start_stage=3\n");
        run.start();
        run.press(kPadKeyZ);
        EXPECT_EQ(run.scene->stageNumber, 4);
        EXPECT_EQ(run.scene->ground.lineCount(), 23u) << "data\\stage\\3.ground";
    }
    {
        FlowRun run;
        writeStages(run.folder);
        run.folder.write("data/debug.cfg", "start_stage=7\n");
        run.start();
        run.press(kPadKeyZ);
        EXPECT_EQ(run.scene->stageNumber, 8);
        EXPECT_EQ(figuresWithParts(*run.scene, kLastStageParts), 1) << "the last stage's title word";
    }
    {
        // 9 or more: already ending at the title; that stage is played and a confirm after it ends.
        FlowRun run;
        writeStages(run.folder);
        run.folder.write("data/debug.cfg", "start_stage=9\n");
        run.start();
        ListenedGameScene& scene = *run.scene;
        EXPECT_EQ(scene.endingCounter, 1);
        EXPECT_EQ(scene.stageNumber, 9);
        EXPECT_FALSE(scene.waitingForStart);
        startFirstStage(run);
        EXPECT_EQ(scene.stageNumber, 9);
        ASSERT_GT(run.runUntil([&] { return scene.stagePhase == 6; }), 0);
        ASSERT_GT(run.runUntil([&] { return scene.curtain.isDown(); }), 0);
        run.press(kPadKeyZ);
        EXPECT_FALSE(run.gameOnTop());
    }
    // Numbers out of range are held to the first stage and the staff stage.
    for (const auto& [line, stage] : {std::pair{"start_stage=-2147483648\n", 1}, std::pair{"start_stage=-1\n", 1},
                                      std::pair{"start_stage=2147483647\n", 9}}) {
        FlowRun run;
        writeStages(run.folder);
        run.folder.write("data/debug.cfg", line);
        run.start();
        EXPECT_EQ(run.scene->stageNumber, stage) << line;
        startFirstStage(run);
        EXPECT_EQ(run.scene->stageNumber, stage) << line;
        EXPECT_EQ(run.scene->ground.lineCount(), static_cast<std::size_t>(20 + stage - 1)) << line;
    }
}

TEST(GameFlow, TheLowerOfTwoStackedGameScenesIsReachedAgainWhenTheUpperPops) {
    // A confirm on the logo's hand-over frame pushes the game scene twice.
    FlowRun run;
    writeStages(run.folder);
    run.start();
    GameScene* lower = run.scene;
    auto upper = std::make_unique<ListenedGameScene>();
    GameScene* upperScene = upper.get();
    run.app.pushScene(std::move(upper));
    run.app.processSceneRequests();
    EXPECT_EQ(GameScene::instance(), upperScene);
    run.app.popScene();
    run.app.processSceneRequests();
    ASSERT_TRUE(run.gameOnTop());
    EXPECT_EQ(GameScene::instance(), lower);
    startFirstStage(run);
    ASSERT_NE(run.scene->hero, nullptr);
    run.run(50);
    EXPECT_EQ(GameScene::instance(), lower);
    EXPECT_GT(run.scene->objects.size(), 0u);
}

TEST(GameFlow, RightClickBeatsEveryEnemyAndNothingElse) {
    FlowRun run;
    writeStages(run.folder);
    run.folder.write("data/stage/0.enemies", "[{name=Bubble,x=12,y=3,life=2,},{name=Bubble,x=15,y=3,},]");
    run.folder.write("data/stage/0.items", "[{name=Pumpkin,x=9,y=3,scale=1,},]");
    run.start();
    startFirstStage(run);
    ListenedGameScene& scene = *run.scene;
    ASSERT_EQ(scene.enemyCount(), 2);
    std::vector<GameObject*> enemies;
    for (const auto& object : scene.objects) {
        if (object->category == 8) enemies.push_back(object.get());
    }
    // A click while the left button is also down: the aids are independent.
    run.machine.pointer.mouse.right = true;
    run.frame();
    // Beaten as in a collision: no longer enemies, limp, and fading out of the world.
    EXPECT_EQ(scene.enemyCount(), 0);
    EXPECT_EQ(scene.stagePhase, 1) << "the first wave counts as beaten";
    for (GameObject* enemy : enemies) {
        EXPECT_FLOAT_EQ(enemy->life, -1.0f);
        EXPECT_EQ(enemy->category, 0u);
        EXPECT_FALSE(static_cast<PuppetObject*>(enemy)->puppet.has(Puppet::posed));
    }
    for (const auto& object : scene.objects) {
        if (std::find(enemies.begin(), enemies.end(), object.get()) == enemies.end()) {
            EXPECT_GT(object->life, 0.0f) << "hero, items and words keep their life";
        }
    }
    ASSERT_GT(run.runUntil([&] {
        return std::none_of(scene.objects.begin(), scene.objects.end(), [&](const auto& object) {
            return std::find(enemies.begin(), enemies.end(), object.get()) != enemies.end();
        });
    }),
              0)
        << "the beaten enemies are removed once faded";
    // Held, it does not click again.
    scene.objects.front()->category = 8;
    run.frame();
    EXPECT_GT(scene.objects.front()->life, 0.0f);
}

TEST(GameFlow, LeftButtonWithVHeldDrawsTheGroundUnderTheCursor) {
    FlowRun run;
    writeStages(run.folder);
    run.start();
    startFirstStage(run);
    GameScene& scene = *run.scene;
    const std::vector<float> untouched = scene.ground.heights;
    run.machine.pointer.mouse = {400, 200, true, false};
    run.frame();
    EXPECT_EQ(scene.ground.heights, untouched) << "the left button alone changes nothing";

    // Where the cursor points on the stage plane, through the camera of the coming frame (the hero
    // moves only after the edit).
    Vec2 at;
    ASSERT_TRUE(stagePointUnder(cameraPoint(scene.hero->position, scene.ground.lineCount()), cameraZ, 400, 200,
                                run.app.height(), at));
    run.machine.pad.keys = kPadKeyV;
    run.frame();
    const int column = static_cast<int>(at.x);
    ASSERT_GE(column, 0);
    EXPECT_GT(at.y, 0.5f) << "above the level ground, in the upper half of the picture";
    for (std::size_t i = 0; i < scene.ground.heights.size(); ++i) {
        EXPECT_FLOAT_EQ(scene.ground.heights[i], static_cast<int>(i) == column ? at.y : 0.0f) << i;
    }
    EXPECT_LT(scene.ground.line(static_cast<std::uint32_t>(column)).ny, 0.99f) << "the lines follow in the same frame";

    // Off the stage's left end nothing is edited.
    run.machine.pointer.mouse = {-2000, 200, true, false};
    const std::vector<float> before = scene.ground.heights;
    run.frame();
    EXPECT_EQ(scene.ground.heights, before);
}
