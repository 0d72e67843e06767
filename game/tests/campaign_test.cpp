// Both sets played from the title through all nine stages to the ending and back to the logo, with
// the real game and data set: every wave is beaten with a right click (the debugging aid), so the
// run checks the campaign's files and flow, not the player's skill. The states written along the way
// show each stage on its own ground with its own first and second waves, the clear, the last boss in
// the last stage, the staff in the staff stage and the ending.
#include "child_environment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A number that follows "key": in the text; NaN when the key is missing.
double numberAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    if (at == std::string::npos) return std::nan("");
    return std::strtod(text.c_str() + at + key.size(), nullptr);
}

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The frames the script names for one stage ("# stage N S K W2 C").
struct StageFrames {
    int start = 0, firstBeaten = 0, secondWave = 0, clear = 0;
};

struct Campaign {
    std::vector<StageFrames> stages;
    int ending = 0;
};

Campaign readCampaign(const std::string& script) {
    Campaign campaign;
    std::istringstream lines(readText(script));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string hash, kind;
        words >> hash >> kind;
        if (hash != "#") continue;
        if (kind == "stage") {
            int number = 0;
            StageFrames frames;
            words >> number >> frames.start >> frames.firstBeaten >> frames.secondWave >> frames.clear;
            campaign.stages.push_back(frames);
        } else if (kind == "ending") {
            words >> campaign.ending;
        }
    }
    return campaign;
}

// The entries of a stage list, counted as the game reads them (one map per entry).
int entriesIn(const std::string& gamePath) { return countOf(readText(gamePath), "name="); }

class Campaigns : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dolvane-campaign-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        prepareChildEnvironment();
    }
    void TearDown() override { fs::remove_all(folder_); }

    int replay(const std::string& script, const std::string& arguments) const {
        const std::string command = "cd '" + folder_.string() + "' && '" + PUPPET_REPLAY + "' --dir '" +
                                    DOLVANE_RUN_DIR + "' --script '" + script + "' " + arguments +
                                    " 2>stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string state(int frame) const {
        const std::string text = readText(folder_ / ("s" + std::to_string(frame) + ".json"));
        EXPECT_FALSE(text.empty()) << "no state of frame " << frame;
        return text;
    }

    fs::path folder_;
};

}  // namespace

TEST_P(Campaigns, TitleToEndingThroughNineStages) {
    const std::string set = GetParam();
    const std::string dir = std::string(DOLVANE_RUN_DIR) + (set == "crazy" ? "/data/crazy/" : "/data/stage/");
    ASSERT_TRUE(fs::is_directory(dir)) << "no data set in " DOLVANE_RUN_DIR ": build the content target";
    const std::string script = std::string(SCRIPTS) + "/campaign_" + set + ".txt";
    const Campaign campaign = readCampaign(script);
    // Only where to look comes from the script; what the game shows there is checked below.
    ASSERT_EQ(campaign.stages.size(), 9u) << "the script names the frames of nine stages";

    std::string arguments = "--shots-only --frames " + std::to_string(campaign.ending + 3);
    std::vector<int> frames;
    for (const StageFrames& stage : campaign.stages) {
        frames.insert(frames.end(), {stage.start + 2, stage.secondWave, stage.clear});
    }
    frames.insert(frames.end(), {campaign.ending - 1, campaign.ending + 2});
    for (int frame : frames) arguments += " --state " + std::to_string(frame) + ":s" + std::to_string(frame) + ".json";
    ASSERT_EQ(replay(script, arguments), 0) << readText(folder_ / "stderr.txt");

    for (int number = 1; number <= 9; ++number) {
        SCOPED_TRACE("stage " + std::to_string(number) + " of the " + set + " set");
        const StageFrames& at = campaign.stages[static_cast<std::size_t>(number - 1)];
        const std::string file = dir + std::to_string(number - 1);

        // Its own ground and its whole first wave, under the stage's title word.
        const std::string started = state(at.start + 2);
        EXPECT_EQ(numberAfter(started, "\"mode\":"), set == "crazy" ? 1 : 0);
        EXPECT_EQ(numberAfter(started, "\"stageNumber\":"), number);
        EXPECT_EQ(numberAfter(started, "\"stagePhase\":"), 0);
        const double size = numberAfter(readText(file + ".ground"), "size=");
        EXPECT_EQ(numberAfter(started, "\"groundLength\":"), size - 1);
        EXPECT_NE(numberAfter(started, "\"groundLength\":"), 47) << "the fallback ground";
        EXPECT_EQ(numberAfter(started, "\"enemyCount\":"), entriesIn(file + ".enemies"));
        EXPECT_EQ(numberAfter(started, "\"life\":"), 1) << "a new hero";
        // The title word (enemies may pop words of their own as they arrive); none in the staff stage.
        if (number == 9) {
            EXPECT_EQ(countOf(started, "\"type\":\"Word\""), 0) << "no title word";
        } else {
            EXPECT_GE(countOf(started, "\"type\":\"Word\""), 1) << "the title word";
        }

        // The second wave, after the warning.
        const std::string second = state(at.secondWave);
        EXPECT_EQ(numberAfter(second, "\"stageNumber\":"), number);
        EXPECT_EQ(numberAfter(second, "\"stagePhase\":"), 3);
        EXPECT_EQ(numberAfter(second, "\"enemyCount\":"), entriesIn(file + ".enemies2"));
        if (number == 8) {
            EXPECT_EQ(countOf(second, "\"type\":\"LastBoss\""), 1) << "the last boss";
        }
        if (number == 9) {
            EXPECT_EQ(countOf(second, "\"type\":\"StaffPuppet\""), 7) << "the staff, the first four still fading";
        }

        // Both waves beaten: the clear.
        const std::string clear = state(at.clear);
        EXPECT_EQ(numberAfter(clear, "\"stagePhase\":"), 5);
        EXPECT_EQ(numberAfter(clear, "\"enemyCount\":"), 0);
        EXPECT_GE(countOf(clear, "\"type\":\"Word\""), 1) << "the clear word";
    }

    // After the staff stage the ending, and a confirm once the curtain is down returns to the logo.
    const std::string ending = state(campaign.ending - 1);
    EXPECT_EQ(numberAfter(ending, "\"stageNumber\":"), 9);
    EXPECT_GT(numberAfter(ending, "\"endingCounter\":"), 0);
    EXPECT_NE(ending.find("\"down\":true"), std::string::npos);
    EXPECT_NE(state(campaign.ending + 2).find("\"scene\":\"logo\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothSets, Campaigns, ::testing::Values("normal", "crazy"));
