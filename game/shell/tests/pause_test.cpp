// Pausing the main loop: what pauses it (P, Start, a focus that was had and then lost), what ends
// it (P, Start or Z, never the focus coming back), and that a paused loop neither samples, updates,
// draws nor counts frames, while the window keeps showing the last picture and the sound holds.
#include "fake_platform.h"
#include "game/shell/sound_pause.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CountingScene final : public Scene {
public:
    explicit CountingScene(EventLog& log) : log_(log) {}
    void update() override { log_.add("update"); }
    void draw() override { log_.add("draw"); }

private:
    EventLog& log_;
};

std::size_t count(const EventLog& log, const std::string& line) {
    return static_cast<std::size_t>(std::count(log.lines.begin(), log.lines.end(), line));
}

void send(FakeMachine& machine, std::function<void(WindowEventHandler&)> event) {
    machine.window.pending.push_back(std::move(event));
}

}  // namespace

TEST(Pause, KeysAndFocusPauseTheLoopWithoutCountingFrames) {
    ScratchDir dir;
    FakeMachine machine;
    std::vector<bool> sound;
    const int owner = 0;
    sound_pause::attach(&owner, [&sound](bool paused) { sound.push_back(paused); });
    GameApp app(machine.platform());
    app.setUnpaced();
    app.pushScene(std::make_unique<CountingScene>(machine.log));
    app.beginRun();

    // A window that never had the focus plays on when told it lacks it.
    send(machine, [](WindowEventHandler& h) { h.focusChanged(false); });
    ASSERT_TRUE(app.runFrame());
    ASSERT_TRUE(app.runFrame());
    EXPECT_FALSE(app.paused());
    EXPECT_EQ(app.frameNumber(), 2u);

    // P pauses at the end of a frame; the frames after it show the picture again and nothing else.
    send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kPause, false); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_TRUE(app.paused());
    machine.log.lines.clear();
    const std::uint64_t sleptBefore = machine.clock.slept;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(app.runFrame());
    EXPECT_GE(machine.clock.slept - sleptBefore, 5u * 20u);  // waiting, not spinning, though unpaced
    EXPECT_EQ(app.frameNumber(), 3u);
    EXPECT_EQ(count(machine.log, "update") + count(machine.log, "draw") + count(machine.log, "input"), 0u);
    EXPECT_EQ(count(machine.log, "present"), 5u);
    EXPECT_EQ(sound, std::vector<bool>{true});

    // The focus coming back does not end the pause; a repeat of P does not either; Z does.
    send(machine, [](WindowEventHandler& h) { h.focusChanged(true); });
    send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kPause, true); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_TRUE(app.paused());
    send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kConfirm, false); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_FALSE(app.paused());
    ASSERT_TRUE(app.runFrame());
    EXPECT_EQ(app.frameNumber(), 4u);
    EXPECT_EQ(count(machine.log, "update"), 1u);
    EXPECT_EQ(sound, (std::vector<bool>{true, false}));

    // Now that the window has had the focus, losing it pauses; Z does nothing while playing, and P
    // (or a controller's Start, which the window reports as the same key) resumes.
    send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kConfirm, false); });
    send(machine, [](WindowEventHandler& h) { h.focusChanged(false); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_TRUE(app.paused());
    send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kPause, false); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_FALSE(app.paused());
    // Since the log was cleared: the second pause shown, both hidden.
    EXPECT_EQ(count(machine.log, "pause shown"), 1u);
    EXPECT_EQ(count(machine.log, "pause hidden"), 2u);

    // Escape still quits a paused game.
    send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kPause, false); });
    ASSERT_TRUE(app.runFrame());
    send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kEscape, false); });
    ASSERT_TRUE(app.runFrame());
    EXPECT_FALSE(app.runFrame());
    sound_pause::detach(&owner);
}

TEST(Pause, DrivenRunsNeverPauseAndStandInsIgnoreTheFocus) {
    for (const bool keysPause : {false, true}) {
        ScratchDir dir;
        FakeMachine machine;
        GameApp app(machine.platform());
        keysPause ? app.ignoreFocus() : app.neverPause();
        app.pushScene(std::make_unique<CountingScene>(machine.log));
        app.beginRun();
        send(machine, [](WindowEventHandler& h) { h.focusChanged(true); });
        send(machine, [](WindowEventHandler& h) { h.focusChanged(false); });
        for (int i = 0; i < 2; ++i) ASSERT_TRUE(app.runFrame());
        EXPECT_FALSE(app.paused());
        send(machine, [](WindowEventHandler& h) { h.keyPressed(WindowKey::kPause, false); });
        ASSERT_TRUE(app.runFrame());
        EXPECT_EQ(app.paused(), keysPause);
    }
}
