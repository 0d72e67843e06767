#include "rig_writer.h"
#include "rig_reader.h"

#include <datatree.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class RigWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("rigc_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "v1");
    }
    void TearDown() override { fs::remove_all(dir_); }
    void touch(const fs::path& p) { std::ofstream(p) << "png"; }
    Rig rig() {
        Rig r;
        std::string error;
        DataRef root;
        readDataString(
            "{parts=[{name=a,file=a.part,picture=a.png,quad=[-50,-50,100,100],joints=[{name=j,x=0,y=50,},],"
            "bounds=[{x=0,y=0,r=40,kind=0,},],},"
            "{name=b,file=b.part,picture=a.png,quad=[-50,-50,100,100],joints=[{name=j,x=0,y=-50,},],},],"
            "links=[{a=a.j,b=b.j,},],models=[{file=v1.model,folder=v1\\,},],"
            "poses=[{file=stand.pose,place=[{part=a,x=0,y=50,},{part=b,},],},"
            "{file=bad.pose,place=[{part=a,x=0,y=50,},{part=b,x=300,y=0,},],},],}",
            root);
        EXPECT_TRUE(readRig(root, r, error)) << error;
        return r;
    }
    fs::path dir_;
};

}  // namespace

TEST_F(RigWriterTest, WritesTheGameFormatsWithBackslashPaths) {
    touch(dir_ / "v1" / "a.png");
    Rig r = rig();
    r.poses.pop_back();
    std::vector<std::string> errors;
    ASSERT_TRUE(writeRig(r, dir_.string(), errors)) << errors.front();
    EXPECT_TRUE(verifyRig(r, dir_.string(), errors)) << errors.front();

    DataRef model;
    readDataFile((dir_ / "v1.model").string(), model);
    EXPECT_EQ(model.member("parts")->item(1)->text(), "v1\\b.part");
    EXPECT_EQ(model.member("joints_link")->item(0).member("part_num")->item(1)->text(), "1");

    DataRef part;
    readDataFile((dir_ / "v1" / "a.part").string(), part);
    EXPECT_EQ(part.member("texture")->text(), "a.png");
    float x = 0, y = 0, v = 0, r0 = 0;
    readFloat(part.member("pic_frame")->item(1).member("x"), x);
    readFloat(part.member("pic_frame")->item(1).member("y"), y);
    readFloat(part.member("pic_frame")->item(1).member("v"), v);
    readFloat(part.member("bound")->item(0).member("r"), r0);
    EXPECT_FLOAT_EQ(x, -0.5f);  // corner 1 is the bottom left, texture row 1
    EXPECT_FLOAT_EQ(y, -0.5f);
    EXPECT_FLOAT_EQ(v, 1.0f);
    EXPECT_FLOAT_EQ(r0, 0.4f);

    DataRef pose;
    readDataFile((dir_ / "stand.pose").string(), pose);
    ASSERT_EQ(pose->size(), 32u);
    float first = -1;
    readFloat(pose->item(0), first);
    // Part a stands half a unit up: its corner 0 is 0.5 above anchor 0.
    EXPECT_NEAR(first, 0.5f, 1e-5f);
}

TEST_F(RigWriterTest, FailsOnOpenLinksMissingPicturesAndShortPoses) {
    Rig r = rig();
    std::vector<std::string> errors;
    EXPECT_FALSE(writeRig(r, dir_.string(), errors));  // bad.pose leaves the link 2.5 units open
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors.front().find("bad.pose"), std::string::npos);

    errors.clear();
    r.poses.pop_back();
    ASSERT_TRUE(writeRig(r, dir_.string(), errors));
    EXPECT_FALSE(verifyRig(r, dir_.string(), errors));  // a.png was never made
    EXPECT_NE(errors.front().find("a.png"), std::string::npos);

    touch(dir_ / "v1" / "a.png");
    errors.clear();
    EXPECT_TRUE(verifyRig(r, dir_.string(), errors));
    std::ofstream(dir_ / "stand.pose") << "[1,2,3,],";
    EXPECT_FALSE(verifyRig(r, dir_.string(), errors));
    fs::remove(dir_ / "v1" / "b.part");
    errors.clear();
    EXPECT_FALSE(verifyRig(r, dir_.string(), errors));
    EXPECT_NE(errors.front().find("b.part"), std::string::npos);

    // An output folder that cannot be made (a file stands in its place) is reported, not thrown.
    touch(dir_ / "blocked");
    errors.clear();
    EXPECT_FALSE(writeRig(r, (dir_ / "blocked").string(), errors));
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors.front().find("cannot write"), std::string::npos);
}

TEST_F(RigWriterTest, SceneryPiecesAreLoosePartsWithoutModels) {
    Rig r;
    std::string error;
    DataRef root;
    readDataString(
        "{parts_only=1,parts=[{name=tree,file=tree.part,picture=tree.png,quad=[-100,-300,200,300],},],}",
        root);
    ASSERT_TRUE(readRig(root, r, error)) << error;
    EXPECT_TRUE(r.models.empty());
    std::vector<std::string> errors;
    ASSERT_TRUE(writeRig(r, dir_.string(), errors));
    EXPECT_TRUE(fs::is_regular_file(dir_ / "tree.part"));
    EXPECT_FALSE(verifyRig(r, dir_.string(), errors));  // tree.png is missing
    touch(dir_ / "tree.png");
    errors.clear();
    EXPECT_TRUE(verifyRig(r, dir_.string(), errors));
}
