// The scene stack contract: who is entered and left when, and that changes wait for the frame's end.
#include "fake_platform.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// Writes every call into the log; per-frame actions let a test push or pop from inside update.
class RecordingScene final : public Scene {
public:
    RecordingScene(std::string name, EventLog& log) : name_(std::move(name)), log_(log) {}
    ~RecordingScene() override { log_.add(name_ + " deleted"); }
    void enter() override { log_.add(name_ + " enter"); }
    void leave() override { log_.add(name_ + " leave"); }
    void update() override {
        log_.add(name_ + " update");
        if (auto action = onUpdate.find(updates_++); action != onUpdate.end()) action->second();
    }
    void draw() override { log_.add(name_ + " draw"); }

    std::map<int, std::function<void()>> onUpdate;  // by the scene's own update count

private:
    std::string name_;
    EventLog& log_;
    int updates_ = 0;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST(SceneStack, PushAndPopAreAppliedAfterTheDrawOfTheirFrame) {
    ScratchDir dir;
    FakeMachine machine;
    {
        GameApp app(machine.platform());
        auto first = std::make_unique<RecordingScene>("A", machine.log);
        RecordingScene* a = first.get();
        app.pushScene(std::move(first));
        a->onUpdate[0] = [&] {
            auto second = std::make_unique<RecordingScene>("B", machine.log);
            second->onUpdate[1] = [&] { app.popScene(); };
            app.pushScene(std::move(second));
        };
        a->onUpdate[1] = [&] { app.popScene(); };
        EXPECT_TRUE(app.sceneStack().empty());  // nothing happens before the requests are processed
        machine.log.lines.clear();
        app.run();
        EXPECT_TRUE(app.sceneStack().empty());
    }
    const Lines expected = {
        "A enter",                                         // before the first frame
        "input", "A update", "A draw", "present",          // A asks for B and is still drawn
        "A leave", "B enter",                              // applied at the end of that frame,
        "input", "B update", "B draw", "present",          // so B is entered before the next input
        "input", "B update", "B draw", "present",          // B pops itself and is drawn once more
        "B leave", "B deleted", "A enter",                 // then deleted; A is on top again
        "input", "A update", "A draw", "present",          // A pops itself: the stack empties
        "A leave", "A deleted",                            // and the loop ends
        "gl destroyed", "window destroyed"};
    Lines seen;
    for (const std::string& line : machine.log.lines) {
        if (line.rfind("windowed", 0) != 0) seen.push_back(line);
    }
    EXPECT_EQ(seen, expected);
}

TEST(SceneStack, ShutdownDeletesPendingScenesUnenteredAndLeavesTheStackTopDown) {
    ScratchDir dir;
    FakeMachine machine;
    {
        GameApp app(machine.platform());
        app.pushScene(std::make_unique<RecordingScene>("A", machine.log));
        app.pushScene(std::make_unique<RecordingScene>("B", machine.log));
        app.processSceneRequests();
        ASSERT_EQ(app.sceneStack().size(), 2u);
        app.pushScene(std::make_unique<RecordingScene>("C", machine.log));  // never processed
        app.pushScene(nullptr);                                              // nothing to own: ignored
        EXPECT_EQ(app.sceneRequests().size(), 1u);
        machine.log.lines.clear();
    }
    const Lines expected = {"C deleted", "B leave", "B deleted", "A leave", "A deleted", "gl destroyed",
                            "window destroyed"};
    EXPECT_EQ(machine.log.lines, expected);
    EXPECT_EQ(GameApp::instance(), nullptr);
}

TEST(SceneStack, OnlyTheTopSceneRunsAndQuitEndsTheLoopBeforeTheNextFrame) {
    ScratchDir dir;
    FakeMachine machine;
    GameApp app(machine.platform());
    EXPECT_EQ(GameApp::instance(), &app);
    EXPECT_TRUE(app.ready());
    auto bottom = std::make_unique<RecordingScene>("A", machine.log);
    auto top = std::make_unique<RecordingScene>("B", machine.log);
    top->onUpdate[2] = [&] { app.requestQuit(); };
    app.pushScene(std::move(bottom));
    app.pushScene(std::move(top));
    machine.log.lines.clear();
    app.run();
    int aCalls = 0, bUpdates = 0;
    for (const std::string& line : machine.log.lines) {
        aCalls += line == "A update" || line == "A draw";
        bUpdates += line == "B update";
    }
    EXPECT_EQ(aCalls, 0);
    EXPECT_EQ(bUpdates, 3);  // the frame that asked to quit finishes; no frame follows
    EXPECT_EQ(app.frameNumber(), 3u);
    EXPECT_EQ(app.sceneStack().size(), 2u);
    EXPECT_FALSE(app.runFrame());
}

TEST(SceneStack, WindowKeysQuitToggleAndIgnoreRepeats) {
    ScratchDir dir;
    dir.write("config/window.txt", "width=640\nheight=480\n");
    FakeMachine machine;
    GameApp app(machine.platform());
    app.pushScene(std::make_unique<RecordingScene>("A", machine.log));
    app.beginRun();

    machine.window.pending.push_back([](WindowEventHandler& h) { h.keyPressed(WindowKey::kF4, false); });
    machine.window.pending.push_back([](WindowEventHandler& h) { h.keyPressed(WindowKey::kF4, true); });
    machine.window.pending.push_back([](WindowEventHandler& h) { h.keyPressed(WindowKey::kOther, false); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_TRUE(app.fullscreen());  // one toggle: the held key's repeats are not toggles
    EXPECT_TRUE(machine.window.isFullscreen);
    machine.window.pending.push_back([](WindowEventHandler& h) { h.keyPressed(WindowKey::kF4, false); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_FALSE(app.fullscreen());
    EXPECT_EQ(machine.window.clientWidth, 640);
    EXPECT_EQ(machine.window.clientHeight, 480);

    machine.window.pending.push_back([](WindowEventHandler& h) { h.keyPressed(WindowKey::kEscape, false); });
    ASSERT_TRUE(app.runFrame());  // Escape is seen at the end of this frame
    EXPECT_TRUE(app.quitRequested());
    EXPECT_FALSE(app.runFrame());
}

TEST(SceneStack, TheCloseButtonQuits) {
    ScratchDir dir;
    FakeMachine machine;
    GameApp app(machine.platform());
    app.pushScene(std::make_unique<RecordingScene>("A", machine.log));
    app.beginRun();
    machine.window.pending.push_back([](WindowEventHandler& h) { h.closeRequested(); });
    EXPECT_TRUE(app.runFrame());
    EXPECT_FALSE(app.runFrame());
}
