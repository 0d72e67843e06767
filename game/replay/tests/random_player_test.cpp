// The restless random player of long unattended runs, and the memory log those runs write.
#include "game/replay/random_player.h"
#include "game/flow/game_scene.h"
#include "game/replay/memory_log.h"
#include "puppet/model/pose.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<ScriptFrame> play(std::uint64_t seed, int frames, bool atTitle = false, bool crazy = false) {
    RandomPlayer player(seed, crazy);
    std::vector<ScriptFrame> out;
    for (int i = 0; i < frames; ++i) out.push_back(player.next(atTitle));
    return out;
}

// Spans during which a bit was held: their count and the longest.
struct Holds {
    int presses = 0;
    int longest = 0;
    int longestGap = 0;  // frames between two presses
};

template <typename Held>
Holds holdsOf(const std::vector<ScriptFrame>& frames, Held held) {
    Holds holds;
    int run = 0, sincePress = 0;
    bool before = false;
    for (const ScriptFrame& frame : frames) {
        const bool now = held(frame);
        if (now && !before) {
            ++holds.presses;
            holds.longestGap = std::max(holds.longestGap, sincePress);
            sincePress = 0;
        }
        run = now ? run + 1 : 0;
        ++sincePress;
        holds.longest = std::max(holds.longest, run);
        before = now;
    }
    return holds;
}

}  // namespace

TEST(RandomPlayer, PlaysLikeARestlessPlayerAndRepeatsItselfForASeed) {
    constexpr int kFrames = 100'000;  // a soak's worth, half an hour of play
    const std::vector<ScriptFrame> frames = play(7, kFrames);
    const std::vector<ScriptFrame> again = play(7, kFrames);
    ASSERT_TRUE(frames == again) << "the same seed plays the same frames";
    const std::vector<ScriptFrame> other = play(8, 500);
    EXPECT_FALSE(std::equal(other.begin(), other.end(), frames.begin())) << "another seed plays otherwise";

    // Every key is pressed time and again and held for spans of many lengths; the walk is one way at a
    // time, mostly to the right, where the stage goes.
    int bothWays = 0, right = 0, left = 0;
    for (const ScriptFrame& frame : frames) {
        bothWays += (frame.keys & kPadKeyLeft) && (frame.keys & kPadKeyRight);
        right += (frame.keys & kPadKeyRight) != 0;
        left += (frame.keys & kPadKeyLeft) != 0;
    }
    EXPECT_EQ(bothWays, 0);
    EXPECT_GT(right, left);
    EXPECT_GT(left, kFrames / 10);
    const std::array<std::uint32_t, 8> keys{kPadKeyLeft, kPadKeyRight, kPadKeyUp, kPadKeyDown,
                                            kPadKeyZ,    kPadKeyX,     kPadKeyC,  kPadKeyV};
    for (std::uint32_t key : keys) {
        const Holds holds = holdsOf(frames, [key](const ScriptFrame& f) { return (f.keys & key) != 0; });
        EXPECT_GE(holds.presses, 40) << "key bit " << key;
    }
    const Holds z = holdsOf(frames, [](const ScriptFrame& f) { return (f.keys & kPadKeyZ) != 0; });
    EXPECT_GE(z.longest, 100) << "long enough to charge a dash twice";
    EXPECT_LE(z.longestGap, 300) << "every screen between stages is confirmed soon";
    const Holds x = holdsOf(frames, [](const ScriptFrame& f) { return (f.keys & kPadKeyX) != 0; });
    EXPECT_GE(x.longest, 60) << "several stars";

    // A collapse is soon followed by getting up: C is never left for long after an odd press.
    int presses = 0, since = 0, longestDown = 0;
    bool before = false;
    for (const ScriptFrame& frame : frames) {
        const bool now = (frame.keys & kPadKeyC) != 0;
        if (now && !before && ++presses % 2 == 0) longestDown = std::max(longestDown, since);
        since = now && !before ? 0 : since + 1;
        before = now;
    }
    EXPECT_LE(longestDown, 210);

    // The mouse: the left button now and then, the right one (which beats every enemy) seldom; the
    // pointer roams the whole window and a little beyond, never far outside.
    const Holds leftButton = holdsOf(frames, [](const ScriptFrame& f) { return f.mouse.left; });
    const Holds rightButton = holdsOf(frames, [](const ScriptFrame& f) { return f.mouse.right; });
    EXPECT_GE(leftButton.presses, 100);
    EXPECT_GE(rightButton.presses, 10);
    EXPECT_LE(rightButton.presses, kFrames / 1500);
    std::int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    int moves = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const MouseState& m = frames[i].mouse;
        if (i == 0) minX = maxX = m.x, minY = maxY = m.y;
        minX = std::min(minX, m.x), maxX = std::max(maxX, m.x);
        minY = std::min(minY, m.y), maxY = std::max(maxY, m.y);
        if (i > 0 && (m.x != frames[i - 1].mouse.x || m.y != frames[i - 1].mouse.y)) ++moves;
    }
    EXPECT_GT(moves, kFrames / 2);
    EXPECT_LT(minX, 0);
    EXPECT_GT(maxX, 640);
    EXPECT_LT(minY, 0);
    EXPECT_GT(maxY, 480);
    EXPECT_GE(minX, -RandomPlayer::kPointerMargin);
    EXPECT_LE(maxX, 640 + RandomPlayer::kPointerMargin);
    EXPECT_GE(minY, -RandomPlayer::kPointerMargin);
    EXPECT_LE(maxY, 480 + RandomPlayer::kPointerMargin);
}

TEST(RandomPlayer, PicksItsSetAtTheTitleAndConfirms) {
    for (const bool crazy : {false, true}) {
        SCOPED_TRACE(crazy ? "crazy" : "normal");
        const std::vector<ScriptFrame> frames = play(3, 2000, true, crazy);
        const std::uint32_t wanted = crazy ? kPadKeyDown : kPadKeyUp;
        const std::uint32_t unwanted = crazy ? kPadKeyUp : kPadKeyDown;
        const Holds z = holdsOf(frames, [](const ScriptFrame& f) { return (f.keys & kPadKeyZ) != 0; });
        EXPECT_GE(z.presses, 5) << "confirms";
        for (const ScriptFrame& frame : frames) {
            ASSERT_TRUE(frame.keys & wanted);
            ASSERT_FALSE(frame.keys & unwanted);
        }
    }
    // Away from the title it is the same player: the set changes nothing else.
    RandomPlayer normal(11, false), crazy(11, true);
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(normal.next(false) == crazy.next(false)) << "frame " << i;
}

TEST(MemoryLog, WritesTheResidentMemoryEveryIntervalOffTheGame) {
    const std::uint64_t resident = residentKib(), heap = heapKib();
    EXPECT_GT(resident, 1000u) << "a process with a test framework holds more than a megabyte";
    // Memory allocated and touched now shows in the next readings, and in the log while it is held.
    auto block = std::make_unique<std::vector<char>>(64 << 20, 1);
    EXPECT_GE(residentKib(), resident + (60 << 10));
    EXPECT_GE(heapKib(), heap + (60 << 10));

    std::ostringstream out;
    MemoryLog log(out, 3);
    for (std::uint64_t frame = 0; frame < 4; ++frame) log.frameEnded(frame);
    // Freed in the second interval: its last reading is low, so is its lowest.
    block.reset();
    EXPECT_LT(heapKib(), heap + (4 << 10)) << "freed, the heap is back where it was";
    for (std::uint64_t frame = 4; frame < 7; ++frame) log.frameEnded(frame);
    // Held only in the middle of the third interval: its last reading is high, its lowest low.
    log.frameEnded(7);
    block = std::make_unique<std::vector<char>>(64 << 20, 1);
    log.frameEnded(8);
    // Held all through the fourth: its lowest is high again, whatever the intervals before it held.
    for (std::uint64_t frame = 9; frame < 12; ++frame) log.frameEnded(frame);
    std::istringstream lines(out.str());
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header.front(), '#');
    std::vector<std::uint64_t> framesAt;
    std::vector<bool> high, lowHigh;
    std::uint64_t frames = 0, kib = 0, playing = 0, cached = 0, heapNow = 0, heapLow = 0;
    std::string set, stage;
    while (lines >> frames >> kib >> set >> stage >> playing >> cached >> heapNow >> heapLow) {
        framesAt.push_back(frames);
        high.push_back(heapNow >= heap + (60 << 10));
        // Whether freed memory leaves the resident set depends on the allocator (the sanitizer's keeps
        // it, glibc unmaps a block this large), so only a held block is sure to show there.
        if (high.back()) {
            EXPECT_GE(kib, resident + (60 << 10)) << "memory held shows as resident";
        }
        lowHigh.push_back(heapLow >= heap + (60 << 10));
        EXPECT_LE(heapLow, heapNow);
        EXPECT_EQ(set, "-") << "no game scene: neither a set";
        EXPECT_EQ(stage, "-") << "nor a stage";
        EXPECT_EQ(playing, 0u);
    }
    EXPECT_TRUE(lines.eof()) << out.str();
    EXPECT_EQ(framesAt, (std::vector<std::uint64_t>{3, 6, 9, 12}));
    EXPECT_EQ(high, (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(lowHigh, (std::vector<bool>{true, false, false, true}));
    EXPECT_FALSE(log.failed());

    // With a game: the title counts as off the stage, so do the pause between stages, the continue
    // prompt and the ending; playing counts.
    std::ostringstream withGame;
    MemoryLog gameLog(withGame, 2);
    GameScene scene;
    std::uint64_t frame = 0;
    auto run = [&](int count) {
        for (int i = 0; i < count; ++i) gameLog.frameEnded(frame++);
    };
    run(2);  // title: "2 KIB - - 0"
    scene.menuState = 2;
    scene.mode = 1;
    scene.stageNumber = 4;
    run(2);  // playing: "4 KIB crazy 4 2"
    scene.waitingForStart = true;
    run(1);
    scene.waitingForStart = false;
    scene.continueState = 1;
    run(1);  // "6 KIB crazy 4 2"
    // A file read (even one that is missing) is kept: the count of cached files goes up by one.
    PoseCache::instance().load("no such folder\\never.pose");
    scene.continueState = 0;
    scene.endingCounter = 3;
    run(1);
    scene.endingCounter = 0;
    scene.mode = 0;
    scene.stageNumber = 5;
    run(1);  // "8 KIB normal 5 3"
    std::istringstream rows(withGame.str());
    std::getline(rows, header);
    std::vector<std::string> seen;
    std::vector<std::uint64_t> cachedAt;
    while (rows >> frames >> kib >> set >> stage >> playing >> cached >> heapNow >> heapLow) {
        seen.push_back(std::to_string(frames) + " " + set + " " + stage + " " + std::to_string(playing));
        cachedAt.push_back(cached);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"2 - - 0", "4 crazy 4 2", "6 crazy 4 2", "8 normal 5 3"}));
    ASSERT_EQ(cachedAt.size(), 4u);
    EXPECT_EQ(cachedAt[2], cachedAt[0]);
    EXPECT_EQ(cachedAt[3], cachedAt[2] + 1);
}
