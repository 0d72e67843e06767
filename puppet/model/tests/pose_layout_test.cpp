// A pose table measured from the editor's unit reference square must hold in the game: the puppet's
// own frame has side 1, so a posed puppet settles into the arrangement the pose was saved from.
// Also: indexes and pose lengths that do not fit the puppet are skipped, never read out of range.

#include "part_builder.h"
#include "puppet/model/puppet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The editor's pose table: from each anchor of the unit square to every corner, part-major.
Pose poseTableOf(const std::vector<Placement>& layout) {
    const Vec2 anchors[4] = {{-0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}};
    Pose table;
    for (const Placement& p : layout) {
        const std::vector<Vec2> corners = placedCorners(p);
        for (const Vec2& anchor : anchors) {
            for (const Vec2& c : corners) table.push_back(std::hypot(c.x - anchor.x, c.y - anchor.y));
        }
    }
    return table;
}

// A point of the world in the coordinates of the puppet frame: origin at its centre, x along its top
// and bottom edges. Lengths stay in world units.
Vec2 inPuppetFrame(const FrameSquare& frame, const PointMass& p) {
    const Vec2 centre = frame.centre();
    const float ax = (frame.corners[3].x - frame.corners[0].x) + (frame.corners[2].x - frame.corners[1].x);
    const float ay = (frame.corners[3].y - frame.corners[0].y) + (frame.corners[2].y - frame.corners[1].y);
    const float length = std::hypot(ax, ay);
    const float c = ax / length;
    const float s = ay / length;
    const float dx = p.x - centre.x;
    const float dy = p.y - centre.y;
    return {c * dx + s * dy, -s * dx + c * dy};
}

const std::vector<Placement> kLayout = {
    {0.0f, 0.0f, 0.0f},
    {1.1f, 0.4f, 0.5f},
    {-0.7f, -1.2f, -0.8f},
    {0.3f, 1.3f, 2.0f},
};

Puppet posedPuppetOf(const std::vector<Placement>& layout) {
    Puppet puppet;
    for (std::size_t p = 0; p < layout.size(); ++p) {
        // Each part starts a little off its place, so that the pose has work to do.
        puppet.parts.push_back(makePart({{0.5f, 0.0f}}, {{0.0f, 0.0f}}));
        puppet.parts.back().move({0.1f * static_cast<float>(p), -0.2f});
    }
    puppet.pose = poseTableOf(layout);
    puppet.set(Puppet::posed, true);
    return puppet;
}

// Steps until the arrangement stops changing. Only the shape settles: the nudge that keeps the frame
// upright leaves a slight drift of the whole body, which the game world's damping and ground absorb.
float stepUntilStill(Puppet& puppet) {
    auto shape = [&] {
        std::vector<Vec2> corners;
        for (const PuppetPart& part : puppet.parts) {
            for (const PointMass& c : part.frame.corners) corners.push_back(inPuppetFrame(puppet.frame, c));
        }
        return corners;
    };
    // Still means still for a while: the body swings slowly through its rest shape on the way there.
    float change = 0.0f;
    int stillSteps = 0;
    std::vector<Vec2> before = shape();
    for (int n = 0; n < 20000 && stillSteps < 200; ++n) {
        puppet.step();
        const std::vector<Vec2> after = shape();
        change = 0.0f;
        for (std::size_t i = 0; i < after.size(); ++i) {
            change = std::fmax(change, std::hypot(after[i].x - before[i].x, after[i].y - before[i].y));
        }
        stillSteps = change < 1e-6f ? stillSteps + 1 : 0;
        before = after;
    }
    return change;
}

void expectLayout(const Puppet& puppet, const std::vector<Placement>& layout, float side) {
    for (std::size_t p = 0; p < layout.size(); ++p) {
        const std::vector<Vec2> expected = placedCorners(layout[p], side);
        for (int j = 0; j < 4; ++j) {
            const Vec2 got = inPuppetFrame(puppet.frame, puppet.parts[p].frame.corners[j]);
            EXPECT_NEAR(got.x, expected[j].x, 1e-3f) << "part " << p << " corner " << j;
            EXPECT_NEAR(got.y, expected[j].y, 1e-3f) << "part " << p << " corner " << j;
        }
    }
}

}  // namespace

TEST(PoseLayout, EditorPoseTableSettlesIntoItsLayout) {
    Puppet puppet = posedPuppetOf(kLayout);
    EXPECT_LT(stepUntilStill(puppet), 1e-5f);
    EXPECT_NEAR(pointDistance(puppet.frame.corners[0], puppet.frame.corners[1]), 1.0f, 1e-3f);
    expectLayout(puppet, kLayout, 1.0f);
}

TEST(PoseLayout, ScaledPuppetSettlesIntoTheDoubledLayout) {
    Puppet puppet = posedPuppetOf(kLayout);
    puppet.scale(2.0f);
    EXPECT_LT(stepUntilStill(puppet), 1e-5f);
    EXPECT_NEAR(pointDistance(puppet.frame.corners[0], puppet.frame.corners[1]), 2.0f, 2e-3f);
    expectLayout(puppet, kLayout, 2.0f);
}

TEST(OutOfRange, BadLinksRootPartsAndShortPosesAreSkipped) {
    Puppet puppet;
    puppet.parts.push_back(makePart({{0.5f, 0.0f}}, {}));
    puppet.parts.push_back(makePart({{-0.5f, 0.0f}}, {}));
    puppet.parts[1].move({3.0f, 0.0f});
    puppet.links = {
        {0, 2, 0, 0, 1.0f},    // no part 2
        {-1, 1, 0, 0, 1.0f},   // no part -1
        {0, 1, 1, 0, 1.0f},    // part 0 has no joint 1
        {0, 1, 0, -3, 1.0f},   // no joint -3
        {1, 0, 0, 0, 2.0f},    // the one good link
    };
    for (int n = 0; n < 300; ++n) puppet.step();
    EXPECT_NEAR(pointDistance(puppet.parts[0].joints[0], puppet.parts[1].joints[0]), 2.0f, 1e-2f);

    // A limp puppet whose root part does not exist keeps its own frame.
    for (std::int32_t root : {-1, 2, 1000}) {
        Puppet limp = puppet;
        limp.rootPart = root;
        const Vec2 before = limp.centre();
        limp.step();
        EXPECT_NEAR(limp.centre().x, before.x, 1e-4f);
        EXPECT_NEAR(limp.centre().y, before.y, 1e-4f);
    }

    // A pose covering only the first part holds that part and leaves the second alone.
    Puppet half;
    half.parts.push_back(makePart({}, {}));
    half.parts.push_back(makePart({}, {}));
    half.parts[1].move({5.0f, 5.0f});
    half.set(Puppet::linked, false);
    half.pose = poseTableOf({{0.0f, -1.0f, 0.0f}});
    half.pose.resize(16 + 15, 0.0f);  // fifteen values of a second part: not enough to use
    half.set(Puppet::posed, true);
    const FrameSquare secondBefore = half.parts[1].frame;
    stepUntilStill(half);
    EXPECT_NEAR(inPuppetFrame(half.frame, half.parts[0].frame.corners[1]).y, -1.5f, 1e-3f);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(half.parts[1].frame.corners[i].x, secondBefore.corners[i].x, 1e-4f);
        EXPECT_NEAR(half.parts[1].frame.corners[i].y, secondBefore.corners[i].y, 1e-4f);
    }

    // The empty pose of a missing file, and a puppet without parts, posed or not.
    Puppet empty;
    empty.set(Puppet::posed, true);
    empty.step();
    empty.set(Puppet::posed, false);
    empty.step();
    EXPECT_TRUE(std::isfinite(empty.centre().x));
    Puppet unposedEmptyPose = puppet;
    unposedEmptyPose.pose.clear();
    unposedEmptyPose.set(Puppet::posed, true);
    unposedEmptyPose.step();
    EXPECT_TRUE(std::isfinite(unposedEmptyPose.centre().x));
}
