// puppet-replay from the outside: scripted runs of the real game write screenshots that show the
// placeholder stage, and the marionette has walked where the script sent it.
#include "game/graphics/png_reader.h"
#include "game/graphics/png_writer.h"
#include "child_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ReplayRun : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dolvane-replay-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        prepareChildEnvironment();
    }
    void TearDown() override { fs::remove_all(folder_); }

    void write(const std::string& relative, const std::string& text) const {
        fs::create_directories((folder_ / relative).parent_path());
        std::ofstream(folder_ / relative, std::ios::binary) << text;
    }
    // Runs from inside the scratch folder, which is also the game's --dir.
    int replay(const std::string& arguments) const {
        const std::string command = "cd '" + folder_.string() + "' && '" + PUPPET_REPLAY + "' --dir '" +
                                    folder_.string() + "' " + arguments + " 2>stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    Image shot(const std::string& name) const {
        Image image;
        std::ifstream in(folder_ / name, std::ios::binary);
        EXPECT_TRUE(in) << name << " was not written";
        EXPECT_TRUE(readPng(in, image));
        return image;
    }

    fs::path folder_;
};

struct Colour {
    int r, g, b;
};

Colour at(const Image& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + 4 * x;
    return {p[0], p[1], p[2]};
}

bool near(Colour c, Colour want, int tolerance = 12) {
    return std::abs(c.r - want.r) <= tolerance && std::abs(c.g - want.g) <= tolerance &&
           std::abs(c.b - want.b) <= tolerance;
}

// Mean column of the marionette's red tunic, or -1 when it is not in the picture.
double tunicColumn(const Image& image) {
    double sum = 0;
    int count = 0;
    for (int y = 100; y < 380; ++y) {
        for (int x = 80; x < 560; ++x) {  // inside the stage drapes
            if (near(at(image, x, y), {204, 46, 51}, 6)) {
                sum += x;
                ++count;
            }
        }
    }
    return count > 200 ? sum / count : -1;
}

}  // namespace

TEST_F(ReplayRun, ScreenshotsShowTheStageAndTheScriptedWalk) {
    write("right.txt", "# walk right all the way\n0-79 R\n");
    write("left.txt", "0-79 L\n40 Z\n");
    ASSERT_EQ(replay("--script right.txt --frames 80 --shot 0:start.png --shot 79:right.png"), 0);
    ASSERT_EQ(replay("--script left.txt --shot 79:left.png"), 0);

    for (const char* name : {"start.png", "right.png", "left.png"}) {
        SCOPED_TRACE(name);
        const Image image = shot(name);
        ASSERT_EQ(image.width(), 640);
        ASSERT_EQ(image.height(), 480);
        EXPECT_TRUE(near(at(image, 5, 240), {158, 13, 20}, 30));   // left drape
        EXPECT_TRUE(near(at(image, 320, 10), {140, 10, 18}, 12));  // valance
        EXPECT_TRUE(near(at(image, 100, 470), {60, 36, 22}, 20));  // stage floor
        const Colour sky = at(image, 150, 150);
        EXPECT_GT(sky.r + sky.g + sky.b, 120);  // evening sky, not black
        EXPECT_GT(sky.b, sky.g);
    }
    const double start = tunicColumn(shot("start.png"));
    const double right = tunicColumn(shot("right.png"));
    const double left = tunicColumn(shot("left.png"));
    EXPECT_NEAR(start, 324, 12);  // frame 0 has taken one step right already
    EXPECT_GT(right, 480);
    EXPECT_GT(left, 0);
    EXPECT_LT(left, 160);
}

TEST_F(ReplayRun, TheShotIsTheLowerLeftCornerOfALargerWindow) {
    write("config/window.txt", "width=800\nheight=600\nname=Replay\n");
    ASSERT_EQ(replay("--shot 2:big.png"), 0);
    const Image image = shot("big.png");
    ASSERT_EQ(image.width(), 640);
    ASSERT_EQ(image.height(), 480);
    EXPECT_TRUE(near(at(image, 320, 10), {140, 10, 18}, 12));
    EXPECT_NEAR(tunicColumn(image), 320, 12);  // no input: it stands in the middle
}

TEST_F(ReplayRun, ThePosterIsTheTitlePictureThroughTheTextureCache) {
    Image picture(64, 32);
    for (int i = 0; i < 64 * 32; ++i) {
        std::uint8_t* p = picture.pixels() + 4 * i;
        p[0] = 30, p[1] = 200, p[2] = 90, p[3] = 255;
    }
    fs::create_directories(folder_ / "data" / "title");
    ASSERT_TRUE(writePng((folder_ / "data" / "title" / "0.png").string(), picture));
    ASSERT_EQ(replay("--shot 0:poster.png"), 0);
    const Image image = shot("poster.png");
    EXPECT_TRUE(near(at(image, 250, 150), {30, 200, 90}, 4));
    EXPECT_TRUE(near(at(image, 390, 120), {30, 200, 90}, 4));
}

TEST_F(ReplayRun, BadArgumentsAndScriptsAreReportedNotRun) {
    write("bad.txt", "0-5 Q\n");
    EXPECT_EQ(replay("--script bad.txt --frames 3"), 2);
    EXPECT_EQ(replay("--script missing.txt"), 2);
    EXPECT_EQ(replay("--frames"), 2);
    EXPECT_EQ(replay("--dir /nonexistent/folder"), 2);
    EXPECT_EQ(replay("--shot 1:/nonexistent/folder/x.png"), 1);  // the run happens; the write fails
    std::ifstream errors(folder_ / "stderr.txt");
    std::string text((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("cannot write"), std::string::npos) << text;
}
