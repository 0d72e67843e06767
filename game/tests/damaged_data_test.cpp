// The game on a damaged copy of its data set: files truncated, emptied, with bytes flipped, replaced
// by junk or by a folder of the same name. Whatever the damage, the logo, the title and a stage play
// by script to the end without a crash or a hang.
#include "child_environment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The logo for a while, a confirm that skips the rest, a confirm on the title, then a walk, jumps,
// stars, a dash, a collapse, a right click that beats the wave and a walk back.
constexpr const char* kScript = R"(80 Z
90 Z
120-200 R
150 U
165 U
210-250 X
260-300 Z
320 C
360 C
380 MR @320,240
390-460 L
)";
constexpr int kFrames = 480;
constexpr int kSecondsPerRun = 60;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Damages about one file in five under dir; returns what was done, one line a file.
std::string damage(const fs::path& dir, unsigned seed) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());  // the walk's order is the file system's
    std::mt19937 random(seed);
    std::ostringstream log;
    for (const fs::path& file : files) {
        if (random() % 5 != 0) continue;
        std::string bytes = readAll(file);
        const unsigned kind = random() % 5;
        log << kind << ' ' << fs::relative(file, dir).string() << '\n';
        switch (kind) {
        case 0:  // truncated
            bytes.resize(bytes.empty() ? 0 : random() % bytes.size());
            break;
        case 1:  // emptied
            bytes.clear();
            break;
        case 2:  // bytes flipped
            for (int i = 0, n = 1 + static_cast<int>(random() % 16); i < n && !bytes.empty(); ++i) {
                bytes[random() % bytes.size()] ^= static_cast<char>(1 + random() % 255);
            }
            break;
        case 3:  // junk
            bytes.resize(random() % 4096);
            for (char& c : bytes) c = static_cast<char>(random());
            break;
        default:  // a folder of the same name
            fs::remove(file);
            fs::create_directory(file);
            writeAll(file / "0.part", "{}");
            continue;
        }
        writeAll(file, bytes);
    }
    return log.str();
}

class DamagedData : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dolvane-damaged-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        prepareChildEnvironment();
        writeAll(folder_ / "script.txt", kScript);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Runs the script on the data set in dir, writing name.json (the last frame's state) and
    // name.stderr; the exit status, 124 after a hang, 128 + signal after a crash.
    int play(const fs::path& dir, const std::string& name) const {
        const std::string command = "cd '" + folder_.string() + "' && timeout -k 5 " +
                                    std::to_string(kSecondsPerRun) + " '" + PUPPET_REPLAY + "' --dir '" +
                                    dir.string() + "' --script script.txt --shots-only --frames " + std::to_string(kFrames) +
                                    " --state " + std::to_string(kFrames - 1) + ":" + name + ".json >/dev/null 2>" +
                                    name + ".stderr";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    fs::path folder_;
};

}  // namespace

TEST_F(DamagedData, TheGamePlaysLogoTitleAndAStageWithoutCrashOrHang) {
    const fs::path run = DOLVANE_RUN_DIR;
    ASSERT_TRUE(fs::is_directory(run / "data")) << "no data set in " << run << ": build the content target";

    // The undamaged set first, so that a failure below is the damage's doing.
    ASSERT_EQ(play(run, "clean"), 0) << readAll(folder_ / "clean.stderr");
    EXPECT_NE(readAll(folder_ / "clean.json").find("\"scene\":\"game\""), std::string::npos);

    for (unsigned seed = 1; seed <= 4; ++seed) {
        const fs::path copy = folder_ / ("seed" + std::to_string(seed));
        fs::copy(run, copy, fs::copy_options::recursive);
        const std::string damaged = damage(copy, seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", damage (0 truncated, 1 emptied, 2 flipped, 3 junk, "
                     "4 folder):\n" + damaged);
        const std::string name = "seed" + std::to_string(seed);
        const int status = play(copy, name);
        const fs::path state = folder_ / (name + ".json");
        EXPECT_NE(status, 124) << "hung";
        EXPECT_EQ(status, 0) << readAll(folder_ / (name + ".stderr"));
        // The flow does not hang on data: the script's confirms reach the game scene whatever the pictures.
        EXPECT_NE(readAll(state).find("\"scene\":\"game\""), std::string::npos) << readAll(state);
        fs::remove_all(copy);
    }
}
