// Mouse and recorded input with the real game on the built data set: a scripted right click clears
// stage 1's first wave, and a run played through the journal of `--record` replays to the same game
// state in every frame.
#include "child_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The number after "key": in a state file, or -1 when the key is missing.
double field(const std::string& json, const std::string& key) {
    const std::string pattern = "\"" + key + "\":";
    const std::size_t at = json.find(pattern);
    return at == std::string::npos ? -1 : std::strtod(json.c_str() + at + pattern.size(), nullptr);
}

class ReplayInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::is_directory(std::string(DOLVANE_RUN_DIR) + "/data"))
            << "no data set in " DOLVANE_RUN_DIR ": build the content target";
        std::string pattern = (fs::temp_directory_path() / "dolvane-input-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        prepareChildEnvironment();
    }
    void TearDown() override {
        if (!folder_.empty()) fs::remove_all(folder_);
    }
    int replay(const std::string& arguments) const {
        return run("cd '" + folder_.string() + "' && '" + PUPPET_REPLAY + "' --dir '" + DOLVANE_RUN_DIR + "' " +
                   arguments + " 2>>stderr.txt");
    }

    fs::path folder_;
};

}  // namespace

TEST_F(ReplayInput, ARightClickClearsTheWave) {
    // Start stage 1 and wait for its first wave; a right click, then the left button alone (no V, so
    // no ground edit) at another place.
    std::ofstream(folder_ / "click.txt") << "5 Z\n11 Z\n150 MR @320,240\n160-170 ML @100,400\n";
    ASSERT_EQ(replay("--script click.txt --state 149:before.json --state 150:after.json --state 400:later.json"), 0)
        << readText(folder_ / "stderr.txt");
    const std::string before = readText(folder_ / "before.json");
    const std::string after = readText(folder_ / "after.json");
    const std::string later = readText(folder_ / "later.json");
    EXPECT_EQ(field(before, "stageNumber"), 1);
    EXPECT_EQ(field(before, "stagePhase"), 0);
    EXPECT_GT(field(before, "enemyCount"), 0) << before;
    EXPECT_NE(before.find("\"type\":\"Bubble\""), std::string::npos);
    // Beaten at once, so the stage goes on to its warning; the limp bubbles fade and are gone.
    EXPECT_EQ(field(after, "enemyCount"), 0) << after;
    EXPECT_GE(field(later, "stagePhase"), 1) << later;
    EXPECT_EQ(later.find("\"type\":\"Bubble\""), std::string::npos) << later;
    EXPECT_EQ(field(later, "groundLength"), field(before, "groundLength"));
}

TEST_F(ReplayInput, ARecordedRunReplaysFrameForFrame) {
    constexpr int kFrames = 800;
    ASSERT_EQ(run("'" JOURNAL_PROBE "' '" DOLVANE_RUN_DIR "' '" + folder_.string() + "' " +
                  std::to_string(kFrames) + " 2>>'" + (folder_ / "stderr.txt").string() + "'"),
              0)
        << readText(folder_ / "stderr.txt");
    const std::string journal = readText(folder_ / "journal.txt");
    for (const char* word : {"MR", "ML", "J@", "ZV", "-"}) EXPECT_NE(journal.find(word), std::string::npos) << word;
    EXPECT_NE(journal.find("# 800 frames"), std::string::npos);

    std::string arguments = "--script journal.txt --frames " + std::to_string(kFrames);
    for (int frame = 0; frame < kFrames; ++frame) {
        arguments += " --state " + std::to_string(frame) + ":b" + std::to_string(frame) + ".json";
    }
    ASSERT_EQ(replay(arguments), 0) << readText(folder_ / "stderr.txt");

    int firstDifference = -1, changes = 0;
    std::string previous;
    for (int frame = 0; frame < kFrames; ++frame) {
        const std::string played = readText(folder_ / ("a" + std::to_string(frame) + ".json"));
        const std::string replayed = readText(folder_ / ("b" + std::to_string(frame) + ".json"));
        ASSERT_FALSE(played.empty()) << frame;
        if (played != replayed && firstDifference < 0) firstDifference = frame;
        // Frame numbers aside, the game moved on most of the time.
        const std::string body = played.substr(played.find(','));
        if (body != previous) ++changes;
        previous = body;
    }
    EXPECT_EQ(firstDifference, -1) << "first frame whose state differs";
    EXPECT_GT(changes, kFrames / 2);
    // The run went into stage 1 and its right click at frame 600 cleared the first wave.
    const std::string beforeClick = readText(folder_ / "a599.json");
    EXPECT_EQ(field(beforeClick, "stageNumber"), 1);
    EXPECT_GT(field(beforeClick, "enemyCount"), 0) << beforeClick;
    EXPECT_EQ(field(readText(folder_ / "a602.json"), "enemyCount"), 0);
}
