// Model, part and pose files: reading as the game does, bad and missing input, the pose cache.

#include "puppet/model/directory_of.h"
#include "puppet/model/puppet.h"
#include "puppet/model/satisfy_distance.h"

#include "game/graphics/texture_cache.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// The program's one texture cache, as the game has; these tests run it headless (no GL at all).
TextureCache textureCache;

// Each test works in a fresh directory of its own, so game paths are relative to it as in the game.
class LoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        TextureCache::instance()->setHeadless(true);
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir_ = fs::temp_directory_path() / ("puppet_model_tests_" + std::to_string(getpid()) + "_" + name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        old_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    // Writes a file at a game path (backslashes), making its folders.
    static void write(const std::string& gamePath, const std::string& contents) {
        std::string path = gamePath;
        for (char& c : path) c = c == '\\' ? '/' : c;
        fs::create_directories(fs::path(path).parent_path().empty() ? "." : fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }
    static std::size_t textures() { return TextureCache::instance()->size(); }

    fs::path dir_;
    fs::path old_;
};

const char* kTorso =
    "{bound=[{kind=8,r=0.4,x=0,y=0.1,},{x=0.5,y=0.5,},],"
    "joints=[{x=-0.5,y=0.5,},{x=0.25,},],"
    "pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},{u=0,v=1,x=-0.5,y=-0.5,},{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},],"
    "texture=torso.png,},";

const char* kArm = "{joints=[{x=0,y=0.5,},],pic_frame=[{u=0.5,v=0.25,x=-0.1,y=0.5,},{x=-0.1,y=-0.5,},],texture=arm.png,},";

const char* kDoll =
    "{joints_link=[{joint_num=[1,0,],length=0.125,part_num=[0,1,],},],parts=[torso.part,limbs\\arm.part,],},";

}  // namespace

TEST(DirectoryOf, KeepsTheLastBackslash) {
    EXPECT_EQ(directoryOf("data\\hero\\0.model"), "data\\hero\\");
    EXPECT_EQ(directoryOf("0.model"), "");
    EXPECT_EQ(directoryOf("data/hero/0.model"), "");
    EXPECT_EQ(directoryOf("\\"), "\\");
}

TEST_F(LoadingTest, ModelAndPartsReadAsWritten) {
    write("data\\doll\\0.model", kDoll);
    write("data\\doll\\torso.part", kTorso);
    write("data\\doll\\limbs\\arm.part", kArm);

    Puppet doll;
    const std::size_t texturesBefore = textures();
    doll.loadModel("data\\doll\\0.model");
    ASSERT_EQ(doll.partCount(), 2u);
    ASSERT_EQ(doll.linkCount(), 1u);
    EXPECT_EQ(doll.links[0].partA, 0);
    EXPECT_EQ(doll.links[0].partB, 1);
    EXPECT_EQ(doll.links[0].jointA, 1);
    EXPECT_EQ(doll.links[0].jointB, 0);
    EXPECT_FLOAT_EQ(doll.links[0].length, 0.125f);

    // Textures are named relative to their part file, with backslashes kept.
    EXPECT_EQ(textures(), texturesBefore + 2);
    TextureCache::instance()->load("data\\doll\\torso.png");
    TextureCache::instance()->load("data\\doll\\limbs\\arm.png");
    EXPECT_EQ(textures(), texturesBefore + 2);

    const PuppetPart& torso = doll.parts[0];
    EXPECT_FLOAT_EQ(torso.corners[2].x, 0.5f);
    EXPECT_FLOAT_EQ(torso.corners[2].u, 1.0f);
    EXPECT_FLOAT_EQ(torso.corners[1].v, 1.0f);
    EXPECT_FLOAT_EQ(torso.pictureRest[0], 0.0f);          // picture corner 0 on frame corner 0
    EXPECT_FLOAT_EQ(torso.pictureRest[4 * 0 + 2], 1.4142135f);
    EXPECT_FLOAT_EQ(torso.pictureRest[4 * 3 + 1], 1.4142135f);
    ASSERT_EQ(torso.joints.size(), 2u);
    ASSERT_EQ(torso.jointRest.size(), 8u);
    EXPECT_EQ(torso.jointRest[0], 0.0f);  // a joint exactly on corner 0
    EXPECT_FLOAT_EQ(torso.jointRest[1], 1.0f);
    // {x=0.25,}: y stays 0, and the joint rests where it is.
    EXPECT_FLOAT_EQ(torso.joints[1].x, 0.25f);
    EXPECT_EQ(torso.joints[1].y, 0.0f);
    EXPECT_EQ(torso.joints[1].prevX, torso.joints[1].x);
    EXPECT_FLOAT_EQ(torso.jointRest[4 + 2], std::hypot(0.25f, 0.5f));
    ASSERT_EQ(torso.boundCentres.size(), 2u);
    EXPECT_FLOAT_EQ(torso.boundRadii[0], 0.4f);
    EXPECT_EQ(torso.boundKinds[0], 8);
    EXPECT_FLOAT_EQ(torso.boundCentres[0].prevY, 0.1f);
    EXPECT_EQ(torso.boundRadii[1], 0.0f);
    EXPECT_EQ(torso.boundKinds[1], 0);
    EXPECT_EQ(torso.boundRest.size(), 8u);
    EXPECT_FLOAT_EQ(torso.boundRest[4 + 2], 1.0f);

    // Two pic_frame entries set corners 0 and 1 only.
    const PuppetPart& arm = doll.parts[1];
    EXPECT_FLOAT_EQ(arm.corners[0].u, 0.5f);
    EXPECT_FLOAT_EQ(arm.corners[1].y, -0.5f);
    EXPECT_EQ(arm.corners[1].u, 0.0f);
    EXPECT_EQ(arm.corners[2].x, 0.0f);
    EXPECT_EQ(arm.corners[3].y, 0.0f);
    EXPECT_EQ(arm.frame.side, 1.0f);

    // A second puppet of the same model shares the textures, not the parts.
    Puppet twin;
    twin.loadModel("data\\doll\\0.model");
    EXPECT_EQ(textures(), texturesBefore + 2);
    EXPECT_EQ(twin.parts[0].texture, doll.parts[0].texture);
    twin.parts[0].move({5.0f, 0.0f});
    twin.parts[0].joints.clear();
    EXPECT_EQ(doll.parts[0].frame.corners[0].x, -0.5f);
    EXPECT_EQ(doll.parts[0].joints.size(), 2u);
}

TEST_F(LoadingTest, MissingAndMalformedFilesGiveEmptyValues) {
    Puppet nothing;
    nothing.loadModel("data\\none\\0.model");
    EXPECT_EQ(nothing.partCount(), 0u);
    EXPECT_EQ(nothing.linkCount(), 0u);

    // A part file that is not there: no joints, no bounds, the texture asked for by the folder alone.
    write("data\\ghost\\0.model", "{parts=[gone.part,],},");
    const std::size_t before = textures();
    Puppet ghost;
    ghost.loadModel("data\\ghost\\0.model");
    ASSERT_EQ(ghost.partCount(), 1u);
    EXPECT_TRUE(ghost.parts[0].joints.empty());
    EXPECT_TRUE(ghost.parts[0].boundCentres.empty());
    EXPECT_EQ(textures(), before + 1);
    TextureCache::instance()->load("data\\ghost\\");
    EXPECT_EQ(textures(), before + 1);

    // A model path without a backslash names its parts relative to the working directory.
    write("plain.model", "{parts=[plain.part,],joints_link=[{},],},");
    write("plain.part", "{joints=[{x=0.5,y=0.5,},],},");
    Puppet plain;
    plain.loadModel("plain.model");
    ASSERT_EQ(plain.partCount(), 1u);
    EXPECT_EQ(plain.parts[0].joints.size(), 1u);
    ASSERT_EQ(plain.linkCount(), 1u);  // an empty link map reads as all zeros
    EXPECT_EQ(plain.links[0].partB, 0);
    EXPECT_EQ(plain.links[0].length, 0.0f);

    // Truncated and malformed files read as far as they go.
    write("broken.model", "{parts=[plain.part,plain.pa");
    write("junk.part", "[[[{{{=,=,]]}}}");
    Puppet broken;
    broken.loadModel("broken.model");
    EXPECT_EQ(broken.partCount(), 2u);
    PuppetPart junk;
    junk.load("junk.part");
    EXPECT_TRUE(junk.joints.empty());
    for (float r : junk.pictureRest) EXPECT_TRUE(std::isfinite(r));
}

TEST_F(LoadingTest, ReloadStartsFromScratch) {
    write("data\\doll\\0.model", kDoll);
    write("data\\doll\\torso.part", kTorso);
    write("data\\doll\\limbs\\arm.part", kArm);
    write("data\\doll\\normal.pose", "[1,2,3,],");
    Puppet doll;
    doll.loadModel("data\\doll\\0.model");
    doll.setPose("data\\doll\\normal.pose");
    doll.set(Puppet::posed, true);
    doll.set(Puppet::linked, false);
    doll.mirror();
    doll.scale(2.0f);
    doll.rootPart = 1;
    doll.step();

    doll.loadModel("data\\doll\\0.model");
    EXPECT_EQ(doll.flags, Puppet::facingRight | Puppet::linked);
    EXPECT_TRUE(doll.pose.empty());
    EXPECT_EQ(doll.rootPart, 0);
    EXPECT_EQ(doll.poseScale, 1.0f);
    EXPECT_EQ(doll.frame.side, 1.0f);
    EXPECT_EQ(doll.frame.corners[2].x, 0.5f);
    EXPECT_EQ(doll.parts[0].frame.side, 1.0f);
    EXPECT_EQ(doll.parts[0].joints[1].x, 0.25f);
}

TEST_F(LoadingTest, IndexesFromFilesThatDoNotExistAreSkipped) {
    write("m\\bad.model",
          "{joints_link=[{joint_num=[0,0,],length=1,part_num=[0,7,],},{joint_num=[9,0,],length=1,part_num=[0,1,],},"
          "{joint_num=[0,-2,],length=1,part_num=[1,0,],},{joint_num=[0,0,],length=1,part_num=[-1,0,],},"
          "{joint_num=[0,0,],length=0.5,part_num=[0,1,],},],parts=[a.part,a.part,],},");
    write("m\\a.part", "{joints=[{x=0.5,},],},");
    write("m\\short.pose", "[0.5,0.5,0.5,],");
    Puppet puppet;
    puppet.loadModel("m\\bad.model");
    ASSERT_EQ(puppet.linkCount(), 5u);
    EXPECT_FALSE(puppet.linkValid(puppet.links[0]));
    EXPECT_FALSE(puppet.linkValid(puppet.links[1]));
    EXPECT_FALSE(puppet.linkValid(puppet.links[2]));
    EXPECT_FALSE(puppet.linkValid(puppet.links[3]));
    EXPECT_TRUE(puppet.linkValid(puppet.links[4]));
    puppet.setPose("m\\short.pose");
    for (int n = 0; n < 300; ++n) puppet.step();
    puppet.set(Puppet::posed, true);
    puppet.rootPart = 12;
    for (int n = 0; n < 300; ++n) puppet.step();
    puppet.set(Puppet::posed, false);
    for (int n = 0; n < 10; ++n) puppet.step();
    EXPECT_NEAR(pointDistance(puppet.parts[0].joints[0], puppet.parts[1].joints[0]), 0.5f, 1e-2f);
}

TEST_F(LoadingTest, PoseCacheReadsEachNameOnce) {
    write("data\\p\\normal.pose", "[0.5,0.707107,1.5,],");
    Puppet first;
    const std::size_t cached = PoseCache::instance().size();
    first.setPose("data\\p\\normal.pose");
    EXPECT_EQ(first.pose, (Pose{0.5f, 0.707107f, 1.5f}));
    EXPECT_EQ(PoseCache::instance().size(), cached + 1);

    // Changed on disk afterwards: the cached values stay, and the second puppet gets its own copy.
    write("data\\p\\normal.pose", "[9,9,],");
    Puppet second;
    second.setPose("data\\p\\normal.pose");
    EXPECT_EQ(second.pose, first.pose);
    second.pose[0] = 4.0f;
    EXPECT_EQ(first.pose[0], 0.5f);
    EXPECT_EQ((*PoseCache::instance().find("data\\p\\normal.pose"))[0], 0.5f);
    EXPECT_EQ(PoseCache::instance().size(), cached + 1);

    // Another spelling of the same file is another entry, read now.
    second.setPose("data\\p\\..\\p\\normal.pose");
    EXPECT_EQ(second.pose, (Pose{9.0f, 9.0f}));
    second.setPose("data/p/normal.pose");
    EXPECT_EQ(second.pose, (Pose{9.0f, 9.0f}));
    EXPECT_EQ(PoseCache::instance().size(), cached + 3);

    // Non-numbers keep their 0; a map root has a size but no items; a missing file is cached empty.
    write("x.pose", "[1,x,2,],");
    second.setPose("x.pose");
    EXPECT_EQ(second.pose, (Pose{1.0f, 0.0f, 2.0f}));
    write("map.pose", "{a=1,b=2,},");
    second.setPose("map.pose");
    EXPECT_EQ(second.pose, (Pose{0.0f, 0.0f}));
    second.setPose("late.pose");
    EXPECT_TRUE(second.pose.empty());
    write("late.pose", "[1,],");
    second.setPose("late.pose");
    EXPECT_TRUE(second.pose.empty());
}

TEST_F(LoadingTest, PoseTakesEffectOnlyWhenPosed) {
    write("d\\0.model", kDoll);
    write("d\\torso.part", kTorso);
    write("d\\limbs\\arm.part", kArm);
    write("d\\far.pose", "[5,5,5,5,5,5,5,5,5,5,5,5,5,5,5,5,],");
    Puppet plain;
    plain.loadModel("d\\0.model");
    Puppet withPose = plain;
    withPose.setPose("d\\far.pose");
    for (int n = 0; n < 20; ++n) {
        plain.step();
        withPose.step();
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(plain.parts[0].frame.corners[i].x, withPose.parts[0].frame.corners[i].x);
    withPose.set(Puppet::posed, true);
    for (int n = 0; n < 20; ++n) withPose.step();
    EXPECT_GT(std::fabs(withPose.parts[0].frame.centre().x - withPose.centre().x) +
                  std::fabs(withPose.parts[0].frame.centre().y - withPose.centre().y),
              1.0f);
}
