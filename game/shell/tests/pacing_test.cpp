// The 50 Hz rule: 20 ms from frame start to frame start, no catching up, and a millisecond counter
// that wraps around without stalling the loop.
#include "fake_platform.h"
#include "game/shell/frame_pacing.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Notes the clock at each update; may take time of its own.
class TimedScene final : public Scene {
public:
    TimedScene(FakeClock& clock, std::vector<std::uint32_t>& starts) : clock_(clock), starts_(starts) {}
    void update() override {
        starts_.push_back(clock_.now);
        if (starts_.size() == slowFrame) clock_.now += 35;
    }
    std::size_t slowFrame = 0;

private:
    FakeClock& clock_;
    std::vector<std::uint32_t>& starts_;
};

}  // namespace

TEST(FramePacing, DeadlineAndSleepAcrossTheCounterWrap) {
    const std::uint32_t start = std::numeric_limits<std::uint32_t>::max() - 5;
    EXPECT_FALSE(frameDue(start, start + 19));
    EXPECT_TRUE(frameDue(start, start + 20));  // start + 20 has wrapped to 14
    EXPECT_TRUE(frameDue(start, start + 35));
    EXPECT_EQ(pacingSleepMs(start, start), kFramePeriodMs - kPacingSpinMs);
    EXPECT_EQ(pacingSleepMs(start, start + 10), 8u);
    EXPECT_EQ(pacingSleepMs(start, start + 18), 0u);
    EXPECT_EQ(pacingSleepMs(start, start + 40), 0u);
    EXPECT_EQ(pacingSleepMs(start, start - 1), 0u);  // a counter that went back never sleeps for ages
}

TEST(FramePacing, FramesStart20msApartThroughTheWrapAndSlowFramesAreNotCaughtUp) {
    ScratchDir dir;
    FakeMachine machine;
    machine.clock.now = std::numeric_limits<std::uint32_t>::max() - 50;
    std::vector<std::uint32_t> starts;
    GameApp app(machine.platform());
    auto scene = std::make_unique<TimedScene>(machine.clock, starts);
    scene->slowFrame = 4;
    app.pushScene(std::move(scene));
    app.beginRun();
    ASSERT_TRUE(app.paced());
    for (int frame = 0; frame < 10; ++frame) {
        const int pumpsBefore = machine.window.pumps;
        ASSERT_TRUE(app.runFrame());
        EXPECT_GE(machine.window.pumps - pumpsBefore, 1);  // the wait always pumps at least once
        EXPECT_LT(machine.clock.naps, 1000) << "the wait stalled";
    }
    ASSERT_EQ(starts.size(), 10u);
    for (std::size_t i = 1; i < starts.size(); ++i) {
        const std::uint32_t period = starts[i] - starts[i - 1];
        if (i == 4) {
            EXPECT_EQ(period, 36u);  // 35 ms of update plus one pump and yield: on at once
        } else {
            EXPECT_GE(period, 20u);
            EXPECT_LE(period, 21u);
        }
    }
    // Most of the wait is slept, and the rest napped: a paced game never spins on bare yields.
    EXPECT_GT(machine.clock.slept, 9u * (kFramePeriodMs - kPacingSpinMs) - 40);
    EXPECT_GT(machine.clock.naps, 0);
    EXPECT_EQ(machine.clock.yields, 0);
}

TEST(FramePacing, NoWaitPumpsOnceAndGoesOn) {
    ScratchDir dir;
    dir.write("config/speed.txt", "no_wait=1\n");
    FakeMachine machine;
    std::vector<std::uint32_t> starts;
    GameApp app(machine.platform());
    app.pushScene(std::make_unique<TimedScene>(machine.clock, starts));
    app.beginRun();
    const int pumpsBefore = machine.window.pumps;
    for (int frame = 0; frame < 5; ++frame) ASSERT_TRUE(app.runFrame());
    EXPECT_EQ(machine.window.pumps - pumpsBefore, 5);
    EXPECT_EQ(machine.clock.slept, 0u);
    EXPECT_EQ(machine.clock.naps, 0);
    EXPECT_EQ(starts.back() - starts.front(), 4u);  // one yield per frame
}
