// A recorded play-through of stage 1 with the real game: the pad script walks, jumps, dives, throws
// stars, collapses and gets up, then dashes at every bubble and box until the first wave is beaten,
// sees the warning, beats the second wave (the big bubble, the bubbles that split off it and two
// more), and confirms the next stage after the clear. The states written along the way show each step.
#include "child_environment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A number that follows "key": in the text, searched from `from`; NaN when the key is missing.
double numberAfter(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::string pattern = "\"" + key + "\":";
    const std::size_t at = json.find(pattern, from);
    if (at == std::string::npos) return std::nan("");
    return std::strtod(json.c_str() + at + pattern.size(), nullptr);
}

// A flag that follows "key": in the text, searched from `from`; empty when the key is missing or its
// value is neither true nor false, so that a check for false cannot pass on a missing key.
std::optional<bool> flagAfter(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::string pattern = "\"" + key + "\":";
    const std::size_t at = json.find(pattern, from);
    if (at == std::string::npos) return std::nullopt;
    if (json.compare(at + pattern.size(), 4, "true") == 0) return true;
    if (json.compare(at + pattern.size(), 5, "false") == 0) return false;
    return std::nullopt;
}

int countOf(const std::string& json, const std::string& text) {
    int n = 0;
    for (std::size_t at = json.find(text); at != std::string::npos; at = json.find(text, at + 1)) ++n;
    return n;
}

struct GameState {
    std::string json;
    double top(const std::string& key) const { return numberAfter(json, key); }
    double hero(const std::string& key) const { return numberAfter(json, key, json.find("\"hero\":")); }
    std::optional<bool> heroFlag(const std::string& key) const { return flagAfter(json, key, json.find("\"hero\":")); }
};

class Stage1Playthrough : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dolvane-stage1-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        prepareChildEnvironment();
    }
    void TearDown() override { fs::remove_all(folder_); }

    int replay(const std::string& arguments) const {
        const std::string command = "cd '" + folder_.string() + "' && '" + PUPPET_REPLAY + "' --dir '" +
                                    DOLVANE_RUN_DIR + "' --script '" + SCRIPT + "' " + arguments +
                                    " 2>stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    GameState state(int frame) const {
        std::ifstream in(folder_ / ("s" + std::to_string(frame) + ".json"));
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_FALSE(text.str().empty()) << "no state of frame " << frame;
        return {text.str()};
    }

    fs::path folder_;
};

}  // namespace

TEST_F(Stage1Playthrough, BeatsBothWavesAndStartsStageTwo) {
    ASSERT_TRUE(fs::is_directory(std::string(DOLVANE_RUN_DIR) + "/data"))
        << "no data set in " DOLVANE_RUN_DIR ": build the content target";
    const int frames[] = {140, 320, 420, 7600, 7800, 13000, 15790, 17800, 18008};
    std::string arguments = "--frames 18009 --shots-only";
    for (int frame : frames) {
        arguments += " --state " + std::to_string(frame) + ":s" + std::to_string(frame) + ".json";
    }
    ASSERT_EQ(replay(arguments), 0);

    // Walking into stage 1, all seven bubbles of the first wave still there.
    const GameState walking = state(140);
    EXPECT_EQ(walking.top("stageNumber"), 1);
    EXPECT_EQ(walking.top("stagePhase"), 0);
    EXPECT_EQ(walking.top("enemyCount"), 7);
    EXPECT_GT(walking.hero("x"), 6.5);
    EXPECT_EQ(walking.heroFlag("posed"), true);

    // Collapsed into loose parts, at the cost of 0.1 of life; the thrown stars are about.
    const GameState collapsed = state(320);
    EXPECT_EQ(collapsed.heroFlag("posed"), false);
    EXPECT_EQ(collapsed.heroFlag("linked"), false);
    EXPECT_NEAR(collapsed.hero("life"), 0.9, 1e-6);
    EXPECT_GE(countOf(collapsed.json, "\"type\":\"Star\""), 5);

    // Up again; the fight with the first wave begins.
    const GameState fighting = state(420);
    EXPECT_EQ(fighting.heroFlag("posed"), true);
    EXPECT_EQ(fighting.top("stagePhase"), 0);

    // First wave beaten: the warning is up and the second wave is on its way.
    const GameState warning = state(7600);
    EXPECT_EQ(warning.top("stagePhase"), 2);
    EXPECT_EQ(warning.top("enemyCount"), 0);
    EXPECT_GE(countOf(warning.json, "\"type\":\"Word\""), 1);
    EXPECT_EQ(countOf(warning.json, "\"type\":\"ItemBox\""), 0) << "every box broken";

    const GameState secondWave = state(7800);
    EXPECT_EQ(secondWave.top("stagePhase"), 3);
    EXPECT_EQ(secondWave.top("enemyCount"), 3);
    EXPECT_EQ(countOf(secondWave.json, "\"type\":\"SplitBubble\""), 1);
    EXPECT_EQ(countOf(secondWave.json, "\"type\":\"Bubble\""), 2);

    // One of the small bubbles beaten, the big one has lost half its life and shed a bubble.
    const GameState firstSplit = state(13000);
    EXPECT_EQ(firstSplit.top("stagePhase"), 3);
    EXPECT_EQ(firstSplit.top("enemyCount"), 3);
    EXPECT_EQ(countOf(firstSplit.json, "\"type\":\"SplitBubble\""), 1);
    EXPECT_GE(countOf(firstSplit.json, "\"type\":\"Bubble\""), 2);
    EXPECT_GT(firstSplit.hero("life"), 0.5);

    // Halved again: another child, four enemies at once.
    const GameState secondSplit = state(15790);
    EXPECT_EQ(secondSplit.top("stagePhase"), 3);
    EXPECT_EQ(secondSplit.top("enemyCount"), 4);

    // Every bubble beaten, children included, and the clear shown, the hero still standing.
    const GameState clear = state(17800);
    EXPECT_EQ(clear.top("stagePhase"), 5);
    EXPECT_EQ(clear.top("enemyCount"), 0);
    EXPECT_EQ(countOf(clear.json, "\"type\":\"SplitBubble\""), 0) << "faded away";
    EXPECT_GT(clear.hero("life"), 0.0);

    // The confirm between stages started stage 2 with a new hero.
    const GameState next = state(18008);
    EXPECT_EQ(next.top("stageNumber"), 2);
    EXPECT_EQ(flagAfter(next.json, "waitingForStart"), false);
    EXPECT_EQ(next.top("stagePhase"), 0);
    EXPECT_EQ(next.hero("life"), 1.0);
}

// The fast runs make no pixels for the frames nobody looks at. The game must not notice: every frame
// of the stage's moves (the collapse and getting up included) ends in the same state either way, and
// the picture of the last frame is the same too, so drawing's own work on the figures was kept.
TEST_F(Stage1Playthrough, WithOrWithoutPicturesEveryFrameIsTheSame) {
    ASSERT_TRUE(fs::is_directory(std::string(DOLVANE_RUN_DIR) + "/data"))
        << "no data set in " DOLVANE_RUN_DIR ": build the content target";
    constexpr int kLast = 700;
    for (const char* way : {"drawn", "unseen"}) {
        fs::create_directory(folder_ / way);
        const std::string last = std::to_string(kLast);
        std::string arguments = "--frames " + last + " --shot " + last + ":" + way + "/last.png";
        for (int frame = 0; frame <= kLast; ++frame) {
            arguments += " --state " + std::to_string(frame) + ":" + way + "/" + std::to_string(frame);
        }
        if (std::string(way) == "unseen") arguments += " --shots-only";
        ASSERT_EQ(replay(arguments), 0) << way;
    }
    auto read = [&](const fs::path& path) {
        std::ifstream in(folder_ / path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    };
    int differing = 0;
    for (int frame = 0; frame <= kLast; ++frame) {
        const std::string drawn = read(fs::path("drawn") / std::to_string(frame));
        ASSERT_FALSE(drawn.empty()) << "frame " << frame;
        if (drawn != read(fs::path("unseen") / std::to_string(frame)) && differing++ < 3) {
            ADD_FAILURE() << "frame " << frame << " differs";
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(GameState{read("drawn/330")}.heroFlag("posed"), false) << "the run holds the collapse";
    const std::string picture = read("drawn/last.png");
    EXPECT_GT(picture.size(), 10000u);
    EXPECT_TRUE(picture == read("unseen/last.png")) << "the last picture differs";
}
