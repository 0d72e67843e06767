// puppet-replay from the outside: scripted runs of the real game write screenshots of the logo and
// of the screens a scripted pad leads to.
#include "game/graphics/png_reader.h"
#include "game/graphics/png_writer.h"
#include "child_environment.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    std::string readText(const std::string& name) const {
        std::ifstream in(folder_ / name, std::ios::binary);
        EXPECT_TRUE(in) << name << " was not written";
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

// A picture of one flat colour, for fixture textures.
Image solid(int width, int height, Colour c) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 4 * x;
            p[0] = static_cast<std::uint8_t>(c.r);
            p[1] = static_cast<std::uint8_t>(c.g);
            p[2] = static_cast<std::uint8_t>(c.b);
            p[3] = 255;
        }
    }
    return image;
}

const Colour kLogoBlue{0, 0, 204};
const Colour kLogoRed{220, 30, 30};
const Colour kTitleGreen{20, 180, 40};

// Centre and height of the red logo square, or a height of 0 when none is in the picture.
struct Spot {
    double x = 0, y = 0;
    int height = 0;
};

Spot redSpot(const Image& image) {
    double sx = 0, sy = 0;
    int count = 0, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!near(at(image, x, y), kLogoRed, 30)) continue;
            sx += x;
            sy += y;
            ++count;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (count == 0) return {};
    return {sx / count, sy / count, bottom - top + 1};
}

}  // namespace

// A logo of one red square part standing on the origin in every pose, and a green title picture.
class LogoReplay : public ReplayRun {
protected:
    void SetUp() override {
        ReplayRun::SetUp();
        write("data/logo/0.model", "{joints_link=[],parts=[0.part,],},");
        write("data/logo/0.part",
              "{texture=red.png,pic_frame=[{x=-0.5,y=0.5,},{x=-0.5,y=-0.5,v=1,},{x=0.5,y=-0.5,u=1,v=1,},"
              "{x=0.5,y=0.5,u=1,},],},");
        for (int pose = 0; pose <= 5; ++pose) {
            write("data/logo/" + std::to_string(pose) + ".pose",
                  "[0,1,1.41421356,1,1,0,1,1.41421356,1.41421356,1,0,1,1,1.41421356,1,0,],");
        }
        ASSERT_TRUE(writePng((folder_ / "data/logo/red.png").string(), solid(8, 8, kLogoRed)));
        fs::create_directories(folder_ / "data/title");
        ASSERT_TRUE(writePng((folder_ / "data/title/0.png").string(), solid(8, 8, kTitleGreen)));
    }
};

TEST_F(LogoReplay, TheLogoClosesInCentredOnDarkBlue) {
    ASSERT_EQ(replay("--shot 2:far.png --shot 150:posed.png"), 0);
    const Image far = shot("far.png");
    const Image posed = shot("posed.png");
    for (const Image* image : {&far, &posed}) {
        ASSERT_EQ(image->width(), 640);
        ASSERT_EQ(image->height(), 480);
        for (auto [x, y] : {std::pair{5, 5}, std::pair{634, 5}, std::pair{5, 474}, std::pair{634, 474}}) {
            EXPECT_TRUE(near(at(*image, x, y), kLogoBlue, 2)) << x << "," << y;
        }
    }
    const Spot small = redSpot(far);
    const Spot big = redSpot(posed);
    EXPECT_NEAR(small.x, 319.5, 3);
    EXPECT_NEAR(small.y, 239.5, 3);
    EXPECT_NEAR(big.x, 319.5, 8);  // a few pixels of drift while the puppet physics settles
    EXPECT_NEAR(big.y, 239.5, 8);
    // A unit square seen from 20 and then from 3.5 units away, under a 45 degree field of view.
    EXPECT_NEAR(small.height, 480 / (2 * 19.6 * 0.41421356), 4);
    EXPECT_NEAR(big.height, 480 / (2 * 3.5 * 0.41421356), 6);
}

TEST_F(LogoReplay, APressLeavesTheLogoForTheCurtainAndTheGameReturnsToIt) {
    // Straight into the staff stage, which has no files here and so nothing to beat: Z at 5 leaves the
    // logo, Z at 10 starts the stage at the title, the stage clears by itself into the ending, and Z at
    // 900 (the curtain down and still by then) ends the game.
    write("data/debug.cfg", "start_stage=8\n");
    write("cycle.txt", "5 Z\n10 Z\n900 Z\n");
    ASSERT_EQ(replay("--script cycle.txt --shot 8:title.png --shot 66:half.png --shot 300:stage.png "
                     "--shot 903:logo.png --state 8:title.json --state 300:stage.json --state 899:ending.json "
                     "--state 900:logo.json"),
              0);
    const Image title = shot("title.png");
    EXPECT_TRUE(near(at(title, 320, 5), kTitleGreen, 6));
    EXPECT_TRUE(near(at(title, 600, 300), kTitleGreen, 6)) << "right of the mode menu";
    EXPECT_NE(readText("title.json").find("\"scene\":\"game\",\"menuState\":0,"), std::string::npos);

    // Half lifted: the cloth still hangs from the top edge, the stage shows below it.
    const Image half = shot("half.png");
    EXPECT_TRUE(near(at(half, 320, 5), kTitleGreen, 6));
    EXPECT_FALSE(near(at(half, 320, 474), kTitleGreen, 30));

    const Image stage = shot("stage.png");
    for (int x : {5, 320, 634}) EXPECT_FALSE(near(at(stage, x, 5), kTitleGreen, 30)) << x;
    const std::string playing = readText("stage.json");
    EXPECT_NE(playing.find("\"stageNumber\":9,"), std::string::npos) << playing;
    EXPECT_NE(playing.find("\"lifted\":true"), std::string::npos) << playing;
    const std::string ending = readText("ending.json");
    EXPECT_NE(ending.find("\"stagePhase\":6,"), std::string::npos) << ending;
    EXPECT_NE(ending.find("\"down\":true"), std::string::npos) << ending;
    EXPECT_EQ(ending.find("\"endingCounter\":0,"), std::string::npos) << ending;
    EXPECT_NE(readText("logo.json").find("\"scene\":\"logo\""), std::string::npos);

    const Image logo = shot("logo.png");
    EXPECT_TRUE(near(at(logo, 5, 5), kLogoBlue, 2));
    EXPECT_NEAR(redSpot(logo).x, 319.5, 3);
}

TEST_F(LogoReplay, TheShotIsTheLowerLeftCornerOfALargerWindow) {
    write("config/window.txt", "width=800\nheight=600\nname=Replay\n");
    ASSERT_EQ(replay("--shot 150:big.png"), 0);
    const Image image = shot("big.png");
    ASSERT_EQ(image.width(), 640);
    ASSERT_EQ(image.height(), 480);
    EXPECT_TRUE(near(at(image, 5, 5), kLogoBlue, 2));
    const Spot spot = redSpot(image);
    EXPECT_NEAR(spot.x, 319.5, 8);  // the logo stands in the middle of the 640 x 480 picture
    EXPECT_NEAR(spot.y, 239.5, 8);
}

TEST_F(ReplayRun, BadArgumentsAndScriptsAreReportedNotRun) {
    write("bad.txt", "0-5 Q\n");
    EXPECT_EQ(replay("--script bad.txt --frames 3"), 2);
    EXPECT_EQ(replay("--script missing.txt"), 2);
    EXPECT_EQ(replay("--frames"), 2);
    EXPECT_EQ(replay("--dir /nonexistent/folder"), 2);
    EXPECT_EQ(replay("--shot 1:/nonexistent/folder/x.png"), 1);  // the run happens; the write fails
    EXPECT_EQ(replay("--state 1:/nonexistent/folder/x.json"), 1);
    std::ifstream errors(folder_ / "stderr.txt");
    std::string text((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("cannot write"), std::string::npos) << text;
}
