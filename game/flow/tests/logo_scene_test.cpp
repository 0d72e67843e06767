#include "game/flow/logo_scene.h"

#include "fake_machine.h"
#include "game/graphics/texture_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Runs the tests inside a private folder holding a tiny logo: one square part, and poses 0 to 5 that
// each set every distance to the pose's own number plus one, so a test can tell which one is set.
class LogoFolder {
public:
    LogoFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dolvane-logo-XXXXXX").string();
        dir_ = mkdtemp(pattern.data()) ? pattern : std::string();
        old_ = std::filesystem::current_path();
        std::filesystem::create_directories(dir_ + "/data/logo");
        write("data/logo/0.model", "{joints_link=[],parts=[0.part,],},");
        write("data/logo/0.part",
              "{texture=0.png,pic_frame=[{x=-0.5,y=0.5,},{x=-0.5,y=-0.5,v=1,},{x=0.5,y=-0.5,u=1,v=1,},"
              "{x=0.5,y=0.5,u=1,},],joints=[],bound=[],},");
        for (int pose = 0; pose <= 5; ++pose) {
            std::string values = "[";
            for (int i = 0; i < 16; ++i) values += std::to_string(pose + 1) + ",";
            write("data/logo/" + std::to_string(pose) + ".pose", values + "],");
        }
        std::filesystem::current_path(dir_);
    }
    ~LogoFolder() {
        std::error_code ignored;
        std::filesystem::current_path(old_, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }

private:
    void write(const std::string& name, const std::string& text) { std::ofstream(dir_ + "/" + name) << text; }
    std::string dir_;
    std::filesystem::path old_;
};

struct AudioCall {
    int update;
    std::string what;
    bool operator==(const AudioCall&) const = default;
};

// The logo with its audio calls written down against the update they came from.
class ListenedLogo final : public LogoScene {
public:
    using LogoScene::LogoScene;
    std::vector<AudioCall> calls;
    int updates = 0;

    void update() override {
        ++updates;
        LogoScene::update();
    }

protected:
    void playSound(const char* name) override { calls.push_back({updates, name}); }
    void stopMusic() override { calls.push_back({updates, "stop music"}); }
};

// The scene the logo hands over to in these tests: it pops itself when asked.
class NextScene final : public Scene {
public:
    explicit NextScene(int& made) { ++made; }
    void update() override {
        if (popNow) GameApp::instance()->popScene();
    }
    bool popNow = false;
};

// Drives the application frame by frame without drawing: sample the input, update the top scene,
// apply the requests, as the main loop does.
class LogoRun {
public:
    LogoRun() {
        cache.setHeadless(true);
        auto made = std::make_unique<ListenedLogo>([this] {
            auto scene = std::make_unique<NextScene>(nextMade);
            lastNext = scene.get();
            return scene;
        });
        logo = made.get();
        app.pushScene(std::move(made));
        app.processSceneRequests();
    }

    void frame() {
        PadInput::instance()->sample();
        app.sceneStack().back()->update();
        app.processSceneRequests();
    }
    bool logoOnTop() const { return app.sceneStack().back().get() == logo; }
    // Frames until the logo hands over (its update count then), or -1 within limit frames.
    int runUntilHandOver(int limit = 1000) {
        for (int i = 0; i < limit; ++i) {
            frame();
            if (!logoOnTop()) return logo->updates;
        }
        return -1;
    }

    LogoFolder folder;
    TextureCache cache;
    FakeMachine machine;
    GameApp app{machine.platform()};
    ListenedLogo* logo = nullptr;
    NextScene* lastNext = nullptr;
    int nextMade = 0;
};

float poseNumber(const Puppet& puppet) { return puppet.pose.empty() ? -1.0f : puppet.pose[0] - 1.0f; }

}  // namespace

TEST(LogoScene, WithoutInputPosesPlayOnTimeAndTheGameArrivesAtUpdate423) {
    LogoRun run;
    EXPECT_EQ(run.logo->calls, (std::vector<AudioCall>{{0, "stop music"}}));
    EXPECT_FLOAT_EQ(run.logo->cameraDistanceNow(), 20.0f);
    EXPECT_EQ(poseNumber(run.logo->logoPuppet()), 0.0f);
    EXPECT_TRUE(run.logo->logoPuppet().has(Puppet::posed));

    std::vector<std::pair<int, float>> poseChanges;
    int limpAt = -1;
    int countingFrom = -1;
    float lastPose = 0.0f;
    while (run.logoOnTop() && run.logo->updates < 1000) {
        run.frame();
        const int update = run.logo->updates;
        const float pose = poseNumber(run.logo->logoPuppet());
        if (pose != lastPose) poseChanges.push_back({update, pose});
        lastPose = pose;
        if (limpAt < 0 && !run.logo->logoPuppet().has(Puppet::posed)) limpAt = update;
        if (countingFrom < 0 && run.logo->frameCountNow() > 0) countingFrom = update;
        if (update == 82) {
            EXPECT_GT(run.logo->cameraDistanceNow(), 3.5f);
        } else if (update == 83) {
            EXPECT_FLOAT_EQ(run.logo->cameraDistanceNow(), 3.5f);
        }
    }
    EXPECT_EQ(run.logo->updates, 423);
    EXPECT_EQ(run.nextMade, 1);
    EXPECT_EQ(countingFrom, 76);
    EXPECT_EQ(limpAt, 326);
    EXPECT_EQ(poseChanges,
              (std::vector<std::pair<int, float>>{{125, 1.0f}, {175, 2.0f}, {225, 3.0f}, {275, 4.0f}, {325, 5.0f}}));
    const std::vector<AudioCall> sounds = {{0, "stop music"},
                                           {125, "data\\sound\\piko.wav"},
                                           {175, "data\\sound\\piko.wav"},
                                           {225, "data\\sound\\piko.wav"},
                                           {275, "data\\sound\\piko.wav"},
                                           {325, "data\\sound\\cat.wav"}};
    EXPECT_EQ(run.logo->calls, sounds);
}

TEST(LogoScene, ANewPressSkipsButAKeyHeldFromBeforeDoesNot) {
    LogoRun run;
    for (int i = 0; i < 10; ++i) run.frame();
    run.machine.pad.keys = kPadKeyZ;
    run.frame();
    ASSERT_FALSE(run.logoOnTop()) << "a new press hands over at the end of its frame";
    EXPECT_EQ(run.logo->updates, 11);
    EXPECT_FLOAT_EQ(run.logo->cameraDistanceNow(), 20.0f - 11 * 0.2f) << "the rest of the update still ran";

    // Z stays held while the next scene ends: the logo starts again and must not skip at once.
    for (int i = 0; i < 5; ++i) run.frame();
    run.lastNext->popNow = true;
    run.frame();
    ASSERT_TRUE(run.logoOnTop());
    const int before = run.logo->updates;
    EXPECT_EQ(run.logo->calls.back(), (AudioCall{before, "stop music"})) << "re-entering stops the music";
    EXPECT_FLOAT_EQ(run.logo->cameraDistanceNow(), 20.0f) << "the logo starts over from the approach";
    EXPECT_EQ(run.logo->frameCountNow(), 0);
    EXPECT_EQ(poseNumber(run.logo->logoPuppet()), 0.0f);
    EXPECT_TRUE(run.logo->logoPuppet().has(Puppet::posed));

    for (int i = 0; i < 30; ++i) run.frame();
    EXPECT_TRUE(run.logoOnTop()) << "a key held since before the logo began does not skip";
    run.machine.pad.keys = kPadKeyZ | kPadKeyLeft;  // other keys changing do not make a press either
    run.frame();
    EXPECT_TRUE(run.logoOnTop());
    run.machine.pad.keys = 0;
    run.frame();
    run.machine.pad.keys = kPadKeyX;  // only button 0 skips
    run.frame();
    EXPECT_TRUE(run.logoOnTop());
    run.machine.pad.keys = kPadKeyZ;
    run.frame();
    EXPECT_FALSE(run.logoOnTop());
    EXPECT_EQ(run.nextMade, 2);
}

TEST(LogoScene, ReenteredAfterTheGameItPlaysTheWholeTimelineAgain) {
    LogoRun run;
    ASSERT_EQ(run.runUntilHandOver(), 423);
    run.lastNext->popNow = true;
    run.frame();
    ASSERT_TRUE(run.logoOnTop());
    const int start = run.logo->updates;
    run.logo->calls.clear();
    EXPECT_EQ(run.runUntilHandOver() - start, 423);
    ASSERT_EQ(run.logo->calls.size(), 5u);
    EXPECT_EQ(run.logo->calls[0], (AudioCall{start + 125, "data\\sound\\piko.wav"}));
    EXPECT_EQ(run.logo->calls[4], (AudioCall{start + 325, "data\\sound\\cat.wav"}));
}

TEST(LogoScene, MissingLogoFilesDoNotChangeTheTimeline) {
    TextureCache cache;
    cache.setHeadless(true);
    FakeMachine machine;
    GameApp app(machine.platform());
    int made = 0;
    auto logoMade = std::make_unique<ListenedLogo>([&made] { return std::make_unique<NextScene>(made); });
    ListenedLogo* logo = logoMade.get();
    app.pushScene(std::move(logoMade));
    app.processSceneRequests();  // the working folder holds no data\logo
    while (made == 0 && logo->updates < 1000) {
        PadInput::instance()->sample();
        logo->update();
        app.processSceneRequests();
    }
    EXPECT_EQ(logo->updates, 423);
    EXPECT_EQ(logo->logoPuppet().partCount(), 0u);
    EXPECT_EQ(logo->calls.size(), 6u);
}
