// puppet-data settle: a puppet loaded and stepped as the game does, printed as one stable JSON line.

#include "command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct SettleRun {
    int status;
    std::string out;
    std::string err;
};

SettleRun settle(std::vector<std::string> args) {
    args.insert(args.begin(), "settle");
    std::ostringstream out, err;
    const int status = runPuppetData(args, out, err);
    return {status, out.str(), err.str()};
}

// A two-part doll in a folder of its own: a body and a head joined by one link, and a pose that puts
// the head one unit above the body.
class SettleTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("puppet_data_settle_" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "parts");
        write("doll.model",
              "{joints_link=[{joint_num=[0,0,],length=0.125,part_num=[0,1,],},],"
              "parts=[parts\\body.part,parts\\head.part,],},");
        write("parts/body.part", "{bound=[{r=0.5,x=0,y=0,},],joints=[{x=0.1,y=0.25,},],texture=body.png,},");
        write("parts/head.part", "{joints=[{x=0,y=-0.5,},],texture=head.png,},");
        // Body on the reference square, head one unit above it.
        const float anchors[4][2] = {{-0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}};
        std::ostringstream pose;
        pose << '[';
        for (float lift : {0.0f, 1.0f}) {
            for (const auto& a : anchors) {
                for (const auto& c : anchors) pose << std::hypot(c[0] - a[0], c[1] + lift - a[1]) << ',';
            }
        }
        pose << "],";
        write("stack.pose", pose.str());
    }
    void TearDown() override { fs::remove_all(dir_); }

    void write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

std::vector<double> numbersIn(const std::string& text) {
    std::vector<double> numbers;
    const std::regex number("-?[0-9][0-9.e+-]*");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it) {
        numbers.push_back(std::stod(it->str()));
    }
    return numbers;
}

}  // namespace

TEST_F(SettleTest, NoStepsPrintsThePuppetAsLoaded) {
    const SettleRun r = settle({path("doll.model"), "--steps", "0"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string square = "[[-0.5,0.5],[-0.5,-0.5],[0.5,-0.5],[0.5,0.5]]";
    // The two joints start (0.1, 0.75) apart, held at 0.125.
    const float dx = 0.1f - 0.0f;
    const float dy = 0.25f - -0.5f;
    char linkError[32];
    std::snprintf(linkError, sizeof linkError, "%.9g", static_cast<double>(std::sqrt(dx * dx + dy * dy) - 0.125f));
    EXPECT_EQ(r.out, "{\"frame\":" + square + ",\"parts\":[{\"frame\":" + square +
                         ",\"joints\":[[0.100000001,0.25]],\"bounds\":[[0,0]]},{\"frame\":" + square +
                         ",\"joints\":[[0,-0.5]],\"bounds\":[]}],\"maxLinkError\":" + linkError + "}\n");

    // Mirrored: corners 0 and 3, 1 and 2 change places.
    const SettleRun mirrored = settle({path("doll.model"), "--steps", "0", "--mirror", "--limp"});
    EXPECT_EQ(mirrored.out.rfind("{\"frame\":[[0.5,0.5],[0.5,-0.5],[-0.5,-0.5],[-0.5,0.5]],\"parts\":[{\"frame\":"
                                 "[[0.5,0.5],",
                                 0),
              0u)
        << mirrored.out;

    // The game's own spelling of the path finds the parts too.
    std::string gamePath = path("doll.model");
    for (char& c : gamePath) c = c == '/' ? '\\' : c;
    EXPECT_EQ(settle({gamePath, "--steps", "0"}).out, r.out);
}

TEST_F(SettleTest, PosedDollSettlesIntoItsPose) {
    const SettleRun r = settle({path("doll.model"), path("stack.pose")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<double> n = numbersIn(r.out);
    // 4 frame corners, then per part 4 corners, its joints and bounds: 8 + (8 + 2 + 2) + (8 + 2) + 1.
    ASSERT_EQ(n.size(), 31u) << r.out;
    auto centreY = [&](std::size_t first) { return (n[first + 1] + n[first + 3] + n[first + 5] + n[first + 7]) / 4; };
    const double frameY = centreY(0);
    const double bodyY = centreY(8);
    const double headY = centreY(20);
    EXPECT_NEAR(bodyY - frameY, 0.0, 0.05);
    EXPECT_NEAR(headY - frameY, 1.0, 0.05);
    for (double v : n) EXPECT_TRUE(std::isfinite(v));

    // Limp, the head hangs by its link from the body instead.
    const SettleRun limp = settle({path("doll.model"), path("stack.pose"), "--limp", "--steps", "300"});
    const std::vector<double> l = numbersIn(limp.out);
    ASSERT_EQ(l.size(), 31u);
    EXPECT_LT(l.back(), 0.01);  // the link holds

    // Scaled by two, the head sits two units up.
    const SettleRun big = settle({path("doll.model"), path("stack.pose"), "--scale", "2", "--steps", "2000"});
    const std::vector<double> b = numbersIn(big.out);
    ASSERT_EQ(b.size(), 31u);
    EXPECT_NEAR((b[21] + b[23] + b[25] + b[27]) / 4 - (b[1] + b[3] + b[5] + b[7]) / 4, 2.0, 0.1);
}

TEST_F(SettleTest, MissingFilesAndBadArguments) {
    const SettleRun missing = settle({path("nothing.model")});
    EXPECT_EQ(missing.status, 0);
    EXPECT_NE(missing.out.find("\"parts\":[],\"maxLinkError\":0}"), std::string::npos) << missing.out;

    // A pose file that is not there leaves the parts unposed but the command still answers.
    EXPECT_EQ(settle({path("doll.model"), path("none.pose"), "--steps", "3"}).status, 0);

    EXPECT_EQ(settle({}).status, 2);
    EXPECT_EQ(settle({path("doll.model"), "--steps"}).status, 2);
    EXPECT_EQ(settle({path("doll.model"), "--steps", "ten"}).status, 2);
    EXPECT_EQ(settle({path("doll.model"), "--steps", "-4"}).status, 2);
    EXPECT_EQ(settle({path("doll.model"), "--scale", "big"}).status, 2);
    EXPECT_EQ(settle({path("doll.model"), "--wobble"}).status, 2);
    EXPECT_EQ(settle({path("doll.model"), "a.pose", "b.pose"}).status, 2);
    EXPECT_NE(settle({path("doll.model"), "--wobble"}).err.find("usage: puppet-data settle"), std::string::npos);
}
