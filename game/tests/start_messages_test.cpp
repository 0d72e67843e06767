// What the game and its scripted driver say to someone starting them the wrong way: help texts, a
// folder without data/ (in a box where there is a display), data files that cannot be read, no
// display, a pad script that is a folder. The game refuses to run unseen.
#include "child_environment.h"
#include "game/start_hint.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;  // exit status, or -1 when it did not exit by itself
    std::string out, err;
};

class StartMessages : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dolvane-start-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        prepareChildEnvironment();
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string read(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    // Runs a shell command line inside the scratch folder; a program still running after the given
    // seconds is ended (timeout's status 124 reads as -1).
    Outcome run(const std::string& commandLine, int seconds = 30) const {
        const std::string command = "cd '" + folder_.string() + "' && timeout -s TERM " + std::to_string(seconds) +
                                    " " + commandLine + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        Outcome outcome;
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        if (outcome.status == 124) outcome.status = -1;
        outcome.out = read(folder_ / "out.txt");
        outcome.err = read(folder_ / "err.txt");
        return outcome;
    }

    fs::path folder_;
};

TEST_F(StartMessages, HelpTextsEndWithStatusZero) {
    for (const std::string program : {PUPPET, PUPPET_REPLAY}) {
        for (const char* option : {"--help", "-h"}) {
            const Outcome help = run("'" + program + "' " + option);
            EXPECT_EQ(help.status, 0) << program << " " << option;
            EXPECT_EQ(help.out.rfind("usage: " + fs::path(program).filename().string(), 0), 0u) << help.out;
            EXPECT_EQ(help.err, "");
        }
    }
    // An unknown option is still an error for the driver; the game itself takes no notice of it.
    const Outcome unknown = run(std::string("'") + PUPPET_REPLAY + "' --walk");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown option --walk"), std::string::npos) << unknown.err;
}

TEST_F(StartMessages, GameInAFolderWithoutDataSaysWhereItLookedInABox) {
    // With a display the game shows the message in a box and waits for it to be closed.
    const Outcome game = run(std::string("'") + PUPPET + "' --anything", 3);
    EXPECT_EQ(game.status, -1) << "the game ended by itself: " << game.err;
    // One line, naming the folder and a way to start the game where its data set is.
    ASSERT_FALSE(game.err.empty());
    EXPECT_EQ(game.err.find('\n'), game.err.size() - 1) << game.err;
    EXPECT_NE(game.err.find("no data/ folder in " + fs::canonical(folder_).string()), std::string::npos) << game.err;
    EXPECT_TRUE(game.err.find("cd ") != std::string::npos || game.err.find("./scripts/play") != std::string::npos)
        << game.err;
    // Where no box can be shown it says the same on standard error alone and runs on, as before.
    const Outcome unseen = run(std::string("env SDL_VIDEODRIVER=offscreen '") + PUPPET + "'", 3);
    EXPECT_EQ(unseen.status, -1) << unseen.err;
    EXPECT_EQ(unseen.err, game.err);
}

TEST_F(StartMessages, EachDataFileThatCannotBeReadIsNamedOnce) {
    // An empty data set: the logo's puppet, poses and sounds are all missing; a folder stands where
    // its model should be, and the logo plays its poses many times over.
    fs::create_directories(folder_ / "data" / "logo" / "0.model");
    for (const std::string program : {PUPPET, PUPPET_REPLAY}) {
        const std::string name = fs::path(program).filename().string();
        const bool replay = name != "puppet";
        const Outcome game = run("env SDL_VIDEODRIVER=offscreen '" + program + "'" + (replay ? " --frames 600" : ""), 6);
        EXPECT_EQ(game.status, replay ? 0 : -1) << name << ": " << game.err;
        std::istringstream lines(game.err);
        std::set<std::string> seen;
        std::string line;
        while (std::getline(lines, line)) {
            EXPECT_EQ(line.rfind(name + ": cannot read data/", 0), 0u) << line;
            EXPECT_TRUE(seen.insert(line).second) << "said twice: " << line;
        }
        EXPECT_TRUE(seen.count(name + ": cannot read data/logo/0.model: a folder, not a file")) << game.err;
        EXPECT_TRUE(seen.count(name + ": cannot read data/logo/1.pose: no such file")) << game.err;
        // Only the game itself plays sound.
        EXPECT_TRUE(seen.count(name + ": cannot read data/sound/piko.wav: no such file") || replay) << game.err;
    }
}

TEST_F(StartMessages, HintNamesTheCommandForABuiltDataSet) {
    const fs::path build = folder_ / "build";
    fs::create_directories(build / "game");
    fs::create_directories(build / "run" / "data");
    const std::string hint = missingDataHint(folder_, build / "game" / "puppet");
    EXPECT_NE(hint.find("no data/ folder in " + folder_.string()), std::string::npos) << hint;
    EXPECT_NE(hint.find("cd " + (build / "run").string() + " && ../game/puppet"), std::string::npos) << hint;
    // Without a data set beside the program it points at the script that builds one.
    EXPECT_NE(missingDataHint(folder_, "/usr/games/puppet").find("./scripts/play"), std::string::npos);
    EXPECT_EQ(missingDataHint(build / "run", build / "game" / "puppet"), "");
}

TEST_F(StartMessages, NoDisplayIsSaidAndEndsWithAFailure) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY ";
    for (const std::string program : {PUPPET, PUPPET_REPLAY}) {
        const Outcome x11 = run(noDisplay + "SDL_VIDEODRIVER=x11 '" + program + "' --dir .", 30);
        EXPECT_NE(x11.status, 0) << program;
        EXPECT_NE(x11.status, -1) << program << " ran on without a window";
        EXPECT_NE(x11.err.find("cannot open a window"), std::string::npos) << program << ": " << x11.err;
    }
    // Left to itself SDL falls back to drawing offscreen: the game would run where nobody sees it.
    const Outcome game = run(noDisplay + "-u SDL_VIDEODRIVER '" + std::string(PUPPET) + "'", 30);
    EXPECT_EQ(game.status, 1) << game.err;
    EXPECT_NE(game.err.find("no display"), std::string::npos) << game.err;
    // Asked for by name, offscreen is what the tests and scripted runs use: the game runs.
    const Outcome asked = run(noDisplay + "SDL_VIDEODRIVER=offscreen '" + std::string(PUPPET) + "'", 3);
    EXPECT_EQ(asked.status, -1) << asked.err;
}

TEST_F(StartMessages, WindowWithoutOpenGlIsSaidAndEndsWithAFailure) {
    // Offscreen windows draw through EGL; without the library neither window nor context can be made.
    for (const std::string program : {PUPPET, PUPPET_REPLAY}) {
        const Outcome game =
            run("env SDL_VIDEODRIVER=offscreen SDL_VIDEO_EGL_DRIVER=/nowhere/libEGL.so '" + program + "'", 30);
        EXPECT_EQ(game.status, 1) << program << ": " << game.err;
        EXPECT_NE(game.err.find("cannot open a window (no window: "), std::string::npos) << game.err;
    }
}

TEST_F(StartMessages, ReplayScriptThatIsAFolderIsRefused) {
    fs::create_directories(folder_ / "walk");
    const Outcome folder = run(std::string("'") + PUPPET_REPLAY + "' --dir . --script walk --frames 1");
    EXPECT_EQ(folder.status, 2);
    EXPECT_NE(folder.err.find("walk: is a folder"), std::string::npos) << folder.err;
    const Outcome missing = run(std::string("'") + PUPPET_REPLAY + "' --dir . --script nowhere.txt --frames 1");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot read nowhere.txt"), std::string::npos) << missing.err;
}

}  // namespace
