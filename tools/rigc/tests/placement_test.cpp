#include "placement.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Rig twoPartRig() {
    Rig rig;
    PartSpec a;
    a.name = "a";
    a.joints = {{"end", {0.0f, -0.5f}}};
    PartSpec b;
    b.name = "b";
    b.joints = {{"top", {0.0f, 0.25f}}};
    rig.parts = {a, b};
    rig.links = {{0, 0, 1, 0, 0.0f}};
    return rig;
}

}  // namespace

TEST(Placement, PoseTableOfUnitPartMatchesTheEditorsSavedPose) {
    const std::vector<float> table = poseTable({placePart({0, 0}, 0, false)});
    const float r2 = std::sqrt(2.0f);
    const float expected[16] = {0, 1, r2, 1, 1, 0, 1, r2, r2, 1, 0, 1, 1, r2, 1, 0};
    ASSERT_EQ(table.size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(table[i], expected[i], 1e-6f) << i;
}

TEST(Placement, PoseTableIsPartMajorAnchorThenCorner) {
    // Second part moved right by 1: its corner 0 sits at (0.5, 0.5), on anchor 3.
    const std::vector<float> table = poseTable({placePart({0, 0}, 0, false), placePart({1, 0}, 0, false)});
    ASSERT_EQ(table.size(), 32u);
    EXPECT_NEAR(table[16 + 4 * 3 + 0], 0.0f, 1e-6f);
    EXPECT_NEAR(table[16 + 4 * 0 + 0], 1.0f, 1e-6f);  // anchor 0 (-0.5, 0.5) to (0.5, 0.5)
    EXPECT_NEAR(table[16 + 4 * 1 + 2], 2.0f, 1e-6f);  // anchor 1 (-0.5,-0.5) to corner 2 (1.5,-0.5)
}

TEST(Placement, TurnsAndMirrorsMoveTheCorners) {
    const PlacedPart quarter = placePart({0, 0}, 3.14159265f / 2, false);
    // A quarter turn counter-clockwise takes corner 0 (top left) to the bottom left.
    EXPECT_NEAR(quarter.corners[0].x, -0.5f, 1e-5f);
    EXPECT_NEAR(quarter.corners[0].y, -0.5f, 1e-5f);
    const PlacedPart mirrored = placePart({0, 0}, 0, true);
    // Mirroring swaps corners 0 and 3, 1 and 2, as the game's mirror does.
    EXPECT_NEAR(mirrored.corners[0].x, 0.5f, 1e-6f);
    EXPECT_NEAR(mirrored.corners[1].x, 0.5f, 1e-6f);
    EXPECT_NEAR(mirrored.corners[3].x, -0.5f, 1e-6f);
    EXPECT_NEAR(placePoint(mirrored, {0.3f, 0.1f}).x, -0.3f, 1e-6f);
}

TEST(Placement, HangingPartsMeetTheirNeighboursJoint) {
    Rig rig = twoPartRig();
    PoseSpec pose;
    pose.file = "p.pose";
    Placement a;
    a.part = 0;
    a.hasPosition = true;
    a.position = {1, 2};
    a.angle = 0.3f;
    Placement b;
    b.part = 1;
    b.angle = -1.0f;
    pose.placements = {b, a};  // order in the file does not matter
    std::vector<PlacedPart> placed;
    std::string error;
    ASSERT_TRUE(arrangePose(rig, pose, placed, error)) << error;
    const RigVec ja = placePoint(placed[0], rig.parts[0].joints[0].at);
    const RigVec jb = placePoint(placed[1], rig.parts[1].joints[0].at);
    EXPECT_NEAR(ja.x, jb.x, 1e-5f);
    EXPECT_NEAR(ja.y, jb.y, 1e-5f);
    EXPECT_TRUE(openLinks(rig, placed, 0.001f).empty());

    // Placing both parts by hand far apart leaves the link open, and it is reported.
    pose.placements[0].hasPosition = true;
    pose.placements[0].position = {5, 5};
    ASSERT_TRUE(arrangePose(rig, pose, placed, error));
    EXPECT_EQ(openLinks(rig, placed, 0.02f).size(), 1u);
}

TEST(Placement, RefusesPosesThatMissOrRepeatParts) {
    Rig rig = twoPartRig();
    std::vector<PlacedPart> placed;
    std::string error;
    PoseSpec missing;
    missing.file = "m.pose";
    missing.placements = {Placement{0, true, {0, 0}, 0, false}};
    EXPECT_FALSE(arrangePose(rig, missing, placed, error));
    EXPECT_NE(error.find("not placed"), std::string::npos);

    PoseSpec twice = missing;
    twice.placements.push_back(Placement{0, true, {1, 0}, 0, false});
    EXPECT_FALSE(arrangePose(rig, twice, placed, error));

    // A hanging part with nothing placed to hang from cannot be laid out.
    PoseSpec floating;
    floating.placements = {Placement{0, false, {}, 0, false}, Placement{1, false, {}, 0, false}};
    EXPECT_FALSE(arrangePose(rig, floating, placed, error));
}

TEST(Placement, CentringMovesThePartsAroundTheOrigin) {
    Rig rig = twoPartRig();
    rig.links.clear();
    PoseSpec pose;
    pose.centre = true;
    pose.placements = {Placement{0, true, {2, 1}, 0, false}, Placement{1, true, {4, 1}, 0, false}};
    std::vector<PlacedPart> placed;
    std::string error;
    ASSERT_TRUE(arrangePose(rig, pose, placed, error));
    EXPECT_NEAR(placed[0].position.x, -1.0f, 1e-6f);
    EXPECT_NEAR(placed[1].position.x, 1.0f, 1e-6f);
    EXPECT_NEAR(placed[1].position.y, 0.0f, 1e-6f);
}
