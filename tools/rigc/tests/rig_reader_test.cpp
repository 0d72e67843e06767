#include "rig_reader.h"
#include "placement.h"

#include <datatree.h>
#include <gtest/gtest.h>

namespace {

bool readText(const std::string& text, Rig& rig, std::string& error) {
    DataRef root;
    readDataString(text, root);
    return readRig(root, rig, error);
}

const char* kArm =
    "{unit=100,parts=[{name=upper,file=u.part,picture=u.png,quad=[-10,-30,20,60],"
    "joints=[{name=elbow,x=0,y=25,},],bounds=[{x=0,y=-20,r=10,kind=1,},],},"
    "{name=lower,file=l.part,picture=l.png,quad=[-10,-30,20,60],joints=[{name=elbow,x=0,y=-25,},],},],"
    "links=[{a=upper.elbow,b=lower.elbow,length=5,},],"
    "poses=[{file=bent.pose,place=[{part=upper,x=0,y=0,angle=0,},{part=lower,angle=90,},],},],}";

}  // namespace

TEST(RigReader, ReadsPartsInWorldUnitsWithYUp) {
    Rig rig;
    std::string error;
    ASSERT_TRUE(readText(kArm, rig, error)) << error;
    ASSERT_EQ(rig.parts.size(), 2u);
    const PartSpec& upper = rig.parts[0];
    EXPECT_FLOAT_EQ(upper.quadMin.x, -0.1f);
    EXPECT_FLOAT_EQ(upper.quadMin.y, -0.3f);
    EXPECT_FLOAT_EQ(upper.quadMax.y, 0.3f);
    EXPECT_FLOAT_EQ(upper.joints[0].at.y, -0.25f);  // 25 design units down is 0.25 below the centre
    EXPECT_FLOAT_EQ(upper.bounds[0].radius, 0.1f);
    EXPECT_EQ(upper.bounds[0].kind, 1);
    ASSERT_EQ(rig.links.size(), 1u);
    EXPECT_FLOAT_EQ(rig.links[0].length, 0.05f);
    ASSERT_EQ(rig.models.size(), 1u);
    EXPECT_EQ(rig.models[0].file, "0.model");
    ASSERT_EQ(rig.poses.size(), 1u);
    EXPECT_FLOAT_EQ(rig.poses[0].placements[1].angle, 3.14159265f / 2);
}

TEST(RigReader, RefusesUnknownNamesAndEmptyPuppets) {
    Rig rig;
    std::string error;
    std::string badJoint = kArm;
    badJoint.replace(badJoint.find("b=lower.elbow"), 13, "b=lower.wrist");
    EXPECT_FALSE(readText(badJoint, rig, error));
    EXPECT_NE(error.find("lower.wrist"), std::string::npos);

    std::string badPart = kArm;
    badPart.replace(badPart.find("{part=lower"), 11, "{part=hand");
    EXPECT_FALSE(readText(badPart, rig, error));

    EXPECT_FALSE(readText("{parts=[],}", rig, error));
    EXPECT_FALSE(readText("[1,2,]", rig, error));
    EXPECT_FALSE(readText("", rig, error));
}

TEST(RigReader, WordsBecomeChainsOfGlyphs) {
    Rig rig;
    std::string error;
    ASSERT_TRUE(readText("{word={text=\"GO 1\",prefix=go,font=f.png,size=50,tilt=[5,-5,],},}", rig, error))
        << error;
    ASSERT_EQ(rig.parts.size(), 3u);  // the space makes no part
    EXPECT_EQ(rig.links.size(), 2u);
    EXPECT_EQ(rig.models[0].file, "go.model");
    EXPECT_EQ(rig.parts[2].file, "go2.part");
    // "1" is cell 27: column 3, row 3 of the 8 x 8 atlas.
    EXPECT_FLOAT_EQ(rig.parts[2].u0, 3.0f / 8);
    EXPECT_FLOAT_EQ(rig.parts[2].v0, 3.0f / 8);
    std::vector<PlacedPart> placed;
    ASSERT_TRUE(arrangePose(rig, rig.poses[0], placed, error));
    EXPECT_TRUE(openLinks(rig, placed, 1e-4f).empty());
    // The gap of the space shows as a longer link.
    EXPECT_GT(rig.links[1].length, rig.links[0].length + 0.1f);
    EXPECT_EQ(glyphCell('z'), 25);
    EXPECT_EQ(glyphCell('?'), 37);
    EXPECT_EQ(glyphCell('#'), -1);
    EXPECT_FALSE(readText("{word={text=A#,prefix=x,font=f.png,},}", rig, error));
}
