// The soft-body physics: the distance step, point lists, frames, parts and whole puppets.

#include "part_builder.h"
#include "puppet/model/puppet.h"
#include "puppet/model/satisfy_distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

bool samePoint(const PointMass& a, const PointMass& b) {
    return a.x == b.x && a.y == b.y && a.prevX == b.prevX && a.prevY == b.prevY;
}

bool sameFrame(const FrameSquare& a, const FrameSquare& b) {
    for (int i = 0; i < 4; ++i) {
        if (!samePoint(a.corners[i], b.corners[i])) return false;
    }
    return a.side == b.side;
}

// Two parts of one joint each, linked, part 1 hanging to the right of part 0.
Puppet twoLinkedParts() {
    Puppet puppet;
    puppet.parts.push_back(makePart({{0.5f, 0.0f}}, {{0.0f, 0.0f}}));
    puppet.parts.push_back(makePart({{-0.5f, 0.0f}}, {{0.1f, 0.1f}}));
    puppet.parts[1].move({1.2f, 0.0f});
    puppet.links.push_back({0, 1, 0, 0, 0.1f});
    return puppet;
}

}  // namespace

TEST(SatisfyDistance, MovesEachPointByItsWeight) {
    PointMass a{0, 0, 0, 0};
    PointMass b{3, 4, 3, 4};
    satisfyDistance(a, b, 10.0f, 0.0f, 1.0f, pointDistance(a, b));
    EXPECT_FLOAT_EQ(a.x, 0.0f);
    EXPECT_FLOAT_EQ(b.x, 6.0f);
    EXPECT_FLOAT_EQ(b.y, 8.0f);
    EXPECT_FLOAT_EQ(b.prevX, 3.0f);  // only positions move

    PointMass c{0, 0, 0, 0};
    PointMass d{4, 0, 4, 0};
    satisfyDistance(c, d, 2.0f, 0.5f, 0.5f, pointDistance(c, d));
    EXPECT_FLOAT_EQ(c.x, 1.0f);
    EXPECT_FLOAT_EQ(d.x, 3.0f);

    // Coincident points: A moves 0.0001 along x, then both are pushed apart to the rest distance.
    PointMass e{1, 1, 1, 1};
    PointMass f{1, 1, 1, 1};
    satisfyDistance(e, f, 1.0f, 0.5f, 0.5f, pointDistance(e, f));
    EXPECT_TRUE(std::isfinite(e.x) && std::isfinite(f.x));
    EXPECT_GT(e.x, f.x);
    EXPECT_NEAR(pointDistance(e, f), 1.0f, 1e-3f);
    EXPECT_FLOAT_EQ(e.y, 1.0f);
    EXPECT_FLOAT_EQ(f.y, 1.0f);
}

TEST(PointLists, IntegrateDampPushMove) {
    PointMass points[2] = {{1, 2, 0, 0}, {5, 5, 6, 3}};
    integratePoints(points);
    EXPECT_FLOAT_EQ(points[0].x, 2.0f);
    EXPECT_FLOAT_EQ(points[0].y, 4.0f);
    EXPECT_FLOAT_EQ(points[0].prevX, 1.0f);
    EXPECT_FLOAT_EQ(points[1].x, 4.0f);
    EXPECT_FLOAT_EQ(points[1].y, 7.0f);

    PointMass before[2] = {points[0], points[1]};
    dampPoints(points, {1.0f, 1.0f});
    EXPECT_TRUE(samePoint(points[0], before[0]) && samePoint(points[1], before[1]));
    dampPoints(points, {0.5f, 0.0f});
    EXPECT_FLOAT_EQ(points[0].x - points[0].prevX, 0.5f);
    EXPECT_FLOAT_EQ(points[0].y - points[0].prevY, 0.0f);
    dampPoints(points, {0.0f, 0.0f});
    EXPECT_EQ(points[1].prevX, points[1].x);
    EXPECT_EQ(points[1].prevY, points[1].y);

    pushPoints(points, {0.25f, -1.0f});
    EXPECT_FLOAT_EQ(points[1].x - points[1].prevX, 0.25f);
    EXPECT_FLOAT_EQ(points[1].y - points[1].prevY, -1.0f);
    movePoints(points, {10.0f, 10.0f});
    EXPECT_FLOAT_EQ(points[1].x - points[1].prevX, 0.25f);
    EXPECT_FLOAT_EQ(points[1].prevX, before[1].x + 10.0f);
}

TEST(FrameSquareTest, InitRigidifyScaleCentreVelocity) {
    FrameSquare frame;
    frame.init(2.0f);
    EXPECT_FLOAT_EQ(frame.corners[0].x, -1.0f);
    EXPECT_FLOAT_EQ(frame.corners[0].y, 1.0f);
    EXPECT_FLOAT_EQ(frame.corners[1].y, -1.0f);
    EXPECT_FLOAT_EQ(frame.corners[2].x, 1.0f);
    EXPECT_FLOAT_EQ(frame.corners[3].y, 1.0f);
    EXPECT_EQ(frame.side, 2.0f);

    // A square at rest stays put.
    FrameSquare still = frame;
    still.step();
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(still.corners[i].x, frame.corners[i].x, 1e-5f);
        EXPECT_NEAR(still.corners[i].y, frame.corners[i].y, 1e-5f);
    }

    // A squashed square is pulled back towards its side.
    FrameSquare squashed = frame;
    squashed.corners[0].y = 0.2f;
    for (int n = 0; n < 50; ++n) squashed.rigidify();
    EXPECT_NEAR(pointDistance(squashed.corners[0], squashed.corners[1]), 2.0f, 1e-3f);
    EXPECT_NEAR(pointDistance(squashed.corners[0], squashed.corners[2]), 2.0f * 1.4142135f, 1e-3f);

    frame.scale(1.5f);
    EXPECT_FLOAT_EQ(frame.side, 3.0f);
    for (int n = 0; n < 50; ++n) frame.rigidify();
    EXPECT_NEAR(pointDistance(frame.corners[1], frame.corners[2]), 3.0f, 1e-3f);

    FrameSquare moving;
    moving.init(1.0f);
    moving.move({4.0f, -2.0f});
    moving.push({0.2f, 0.4f});
    EXPECT_FLOAT_EQ(moving.centre().x, 4.2f);
    EXPECT_FLOAT_EQ(moving.centre().y, -1.6f);
    EXPECT_NEAR(moving.velocity().x, 0.2f, 1e-6f);
    EXPECT_NEAR(moving.velocity().y, 0.4f, 1e-6f);
    moving.damp({0.0f, 1.0f});
    EXPECT_FLOAT_EQ(moving.velocity().x, 0.0f);
    EXPECT_NEAR(moving.velocity().y, 0.4f, 1e-6f);
}

TEST(PuppetPartPhysics, FitStepPushScaleMirror) {
    // Without joints or bounds fitting touches nothing.
    PuppetPart bare = makePart({}, {});
    bare.frame.corners[2].x = 0.9f;
    const FrameSquare bareFrame = bare.frame;
    bare.fit();
    EXPECT_TRUE(sameFrame(bare.frame, bareFrame));

    // A displaced joint is pulled almost all the way back; the frame gives a little.
    PuppetPart part = makePart({{0.5f, 0.5f}, {0.0f, -0.25f}}, {{0.25f, 0.0f}});
    part.joints[1].x = 0.6f;
    const FrameSquare before = part.frame;
    for (int n = 0; n < 20; ++n) part.fit();
    EXPECT_NEAR(part.joints[1].x, 0.0f, 0.05f);
    EXPECT_NEAR(part.joints[1].y, -0.25f, 0.05f);
    EXPECT_FALSE(sameFrame(part.frame, before));

    // A part at rest stays at rest through steps.
    PuppetPart rest = makePart({{0.5f, 0.0f}}, {{0.0f, 0.2f}});
    const PuppetPart restBefore = rest;
    for (int n = 0; n < 10; ++n) rest.step();
    EXPECT_NEAR(rest.joints[0].x, restBefore.joints[0].x, 1e-5f);
    EXPECT_NEAR(rest.boundCentres[0].y, restBefore.boundCentres[0].y, 1e-5f);
    EXPECT_NEAR(rest.frame.corners[3].x, 0.5f, 1e-5f);

    // Push, move and damp reach the frame, the joints and the bounds alike.
    rest.push({0.5f, 0.0f});
    EXPECT_FLOAT_EQ(rest.joints[0].x - rest.joints[0].prevX, 0.5f);
    EXPECT_FLOAT_EQ(rest.boundCentres[0].x - rest.boundCentres[0].prevX, 0.5f);
    EXPECT_FLOAT_EQ(rest.frame.velocity().x, 0.5f);
    rest.damp({0.0f, 0.0f});
    EXPECT_FLOAT_EQ(rest.joints[0].x, rest.joints[0].prevX);
    EXPECT_FLOAT_EQ(rest.boundCentres[0].x, rest.boundCentres[0].prevX);
    EXPECT_FLOAT_EQ(rest.frame.velocity().x, 0.0f);
    rest.move({0.0f, 3.0f});
    EXPECT_FLOAT_EQ(rest.boundCentres[0].prevY, restBefore.boundCentres[0].prevY + 3.0f);
    EXPECT_FLOAT_EQ(rest.joints[0].prevY, restBefore.joints[0].prevY + 3.0f);

    PuppetPart scaled = makePart({{0.5f, 0.0f}}, {{0.0f, 0.2f}});
    const PuppetPart unscaled = scaled;
    scaled.scale(2.0f);
    EXPECT_FLOAT_EQ(scaled.frame.side, 2.0f);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(scaled.pictureRest[i], 2.0f * unscaled.pictureRest[i]);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(scaled.jointRest[i], 2.0f * unscaled.jointRest[i]);
        EXPECT_FLOAT_EQ(scaled.boundRest[i], 2.0f * unscaled.boundRest[i]);
    }
    EXPECT_FLOAT_EQ(scaled.boundRadii[0], 0.5f);

    PuppetPart mirrored = makePart({{0.5f, 0.0f}}, {});
    const PuppetPart plain = mirrored;
    mirrored.mirror();
    EXPECT_TRUE(samePoint(mirrored.frame.corners[0], plain.frame.corners[3]));
    EXPECT_TRUE(samePoint(mirrored.frame.corners[1], plain.frame.corners[2]));
    EXPECT_TRUE(samePoint(mirrored.frame.corners[3], plain.frame.corners[0]));
    EXPECT_TRUE(samePoint(mirrored.joints[0], plain.joints[0]));
    // The next fits carry the joint to the mirrored side of the frame.
    for (int n = 0; n < 100; ++n) {
        mirrored.step();
        mirrored.damp({0.0f, 0.0f});
    }
    // It sat midway between corners 2 and 3; those numbers now name the other edge.
    const PointMass& c2 = mirrored.frame.corners[2];
    const PointMass& c3 = mirrored.frame.corners[3];
    const PointMass edgeMiddle{(c2.x + c3.x) / 2, (c2.y + c3.y) / 2, 0, 0};
    EXPECT_LT(pointDistance(mirrored.joints[0], edgeMiddle), 0.02f);
    EXPECT_LT(mirrored.joints[0].x, mirrored.frame.centre().x - 0.4f);
}

TEST(PuppetPhysics, NewPuppetMirrorFaceAndScale) {
    Puppet fresh;
    EXPECT_EQ(fresh.flags, Puppet::facingRight | Puppet::linked);
    EXPECT_EQ(fresh.poseScale, 1.0f);
    EXPECT_EQ(fresh.rootPart, 0);
    EXPECT_TRUE(fresh.pose.empty());
    EXPECT_EQ(fresh.frame.side, 1.0f);
    EXPECT_FLOAT_EQ(fresh.frame.corners[0].x, -0.5f);
    EXPECT_FLOAT_EQ(fresh.frame.corners[0].y, 0.5f);

    Puppet puppet = twoLinkedParts();
    for (int n = 0; n < 5; ++n) puppet.step();
    const Puppet before = puppet;
    puppet.mirror();
    EXPECT_FALSE(puppet.has(Puppet::facingRight));
    EXPECT_TRUE(samePoint(puppet.frame.corners[0], before.frame.corners[3]));
    EXPECT_TRUE(samePoint(puppet.parts[1].frame.corners[1], before.parts[1].frame.corners[2]));
    puppet.mirror();
    EXPECT_EQ(puppet.flags, before.flags);
    EXPECT_TRUE(sameFrame(puppet.frame, before.frame));
    for (std::size_t p = 0; p < puppet.parts.size(); ++p) EXPECT_TRUE(sameFrame(puppet.parts[p].frame, before.parts[p].frame));

    puppet.faceRight();
    EXPECT_TRUE(sameFrame(puppet.frame, before.frame));
    puppet.faceLeft();
    EXPECT_FALSE(puppet.has(Puppet::facingRight));
    puppet.faceLeft();
    EXPECT_FALSE(puppet.has(Puppet::facingRight));
    puppet.faceRight();
    EXPECT_TRUE(puppet.has(Puppet::facingRight));
    EXPECT_TRUE(sameFrame(puppet.frame, before.frame));

    // Scale assigns the pose scale but grows the frames each time; links keep their length.
    Puppet grown = twoLinkedParts();
    grown.scale(2.0f);
    grown.scale(2.0f);
    EXPECT_EQ(grown.poseScale, 2.0f);
    EXPECT_FLOAT_EQ(grown.frame.side, 4.0f);
    EXPECT_FLOAT_EQ(grown.parts[0].frame.side, 4.0f);
    EXPECT_FLOAT_EQ(grown.parts[1].jointRest[0], 4.0f * twoLinkedParts().parts[1].jointRest[0]);
    EXPECT_FLOAT_EQ(grown.links[0].length, 0.1f);
}

TEST(PuppetPhysics, LimpPuppetFollowsRootPartAndLinks) {
    Puppet puppet = twoLinkedParts();
    puppet.rootPart = 1;
    puppet.parts[1].push({0.05f, 0.02f});
    for (int n = 0; n < 200; ++n) {
        puppet.step();
        // The centre is the root part's frame as the last pass of the step copied it.
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(samePoint(puppet.frame.corners[i], puppet.parts[1].frame.corners[i]));
    }
    EXPECT_FLOAT_EQ(puppet.centre().x, puppet.parts[1].frame.centre().x);
    EXPECT_NE(puppet.centre().x, puppet.parts[0].frame.centre().x);
    EXPECT_NEAR(pointDistance(puppet.parts[0].joints[0], puppet.parts[1].joints[0]), 0.1f, 0.02f);

    // Without links the parts drift apart freely.
    Puppet unlinked = twoLinkedParts();
    unlinked.set(Puppet::linked, false);
    unlinked.parts[1].push({0.05f, 0.0f});
    for (int n = 0; n < 50; ++n) unlinked.step();
    EXPECT_GT(pointDistance(unlinked.parts[0].joints[0], unlinked.parts[1].joints[0]), 2.0f);
}

TEST(PuppetPhysics, StepRunsSolveFrameStepPartStepsNudgeSolve) {
    Puppet puppet = twoLinkedParts();
    puppet.pose.assign(32, 0.8f);
    puppet.set(Puppet::posed, true);
    puppet.parts[0].push({0.01f, -0.03f});
    for (int n = 0; n < 3; ++n) puppet.step();

    Puppet byHand = puppet;
    puppet.step();
    byHand.solve();
    byHand.frame.step();
    for (PuppetPart& part : byHand.parts) part.step();
    byHand.frame.corners[0].y += 0.1f;
    byHand.frame.corners[1].y -= 0.1f;
    byHand.frame.corners[2].y -= 0.1f;
    byHand.frame.corners[3].y += 0.1f;
    byHand.solve();
    EXPECT_TRUE(sameFrame(puppet.frame, byHand.frame));
    for (std::size_t p = 0; p < 2; ++p) {
        EXPECT_TRUE(sameFrame(puppet.parts[p].frame, byHand.parts[p].frame));
        EXPECT_TRUE(samePoint(puppet.parts[p].joints[0], byHand.parts[p].joints[0]));
    }

    // The posed pass: links, the frame made rigid, then puppet-frame corner k to part corner j.
    Puppet solved = puppet;
    solved.solve();
    Puppet replica = puppet;
    PointMass& a = replica.parts[0].joints[0];
    PointMass& b = replica.parts[1].joints[0];
    satisfyDistance(a, b, 0.1f, 0.5f, 0.5f, pointDistance(a, b));
    replica.frame.rigidify();
    for (std::size_t m = 0; m < 2; ++m) {
        for (int k = 0; k < 4; ++k) {
            for (int j = 0; j < 4; ++j) {
                PointMass& anchor = replica.frame.corners[k];
                PointMass& corner = replica.parts[m].frame.corners[j];
                satisfyDistance(anchor, corner, 0.8f, 0.05f, 0.15f, pointDistance(anchor, corner));
            }
        }
    }
    EXPECT_TRUE(sameFrame(solved.frame, replica.frame));
    EXPECT_TRUE(sameFrame(solved.parts[1].frame, replica.parts[1].frame));
}

TEST(PuppetPhysics, PosedStepsRenumberSquaresTurnedOverOrTwistedButNeverFlatOnes) {
    Puppet start;
    start.parts.push_back(makePart({{0.0f, 0.0f}}, {}));
    for (const PointMass& anchor : start.frame.corners) {
        for (Vec2 c : placedCorners({0.4f, 0.2f, 0.3f})) start.pose.push_back(std::hypot(c.x - anchor.x, c.y - anchor.y));
    }
    start.set(Puppet::posed, true);
    // Mirrored, or twisted through itself (two neighbouring corners swapped): the pose alone would hold
    // either squashed for good.
    for (int fault = 0; fault < 2; ++fault) {
        Puppet p = start;
        if (fault == 0) p.parts[0].mirror();
        if (fault == 1) std::swap(p.parts[0].frame.corners[2], p.parts[0].frame.corners[3]);
        for (int n = 0; n < 300; ++n) p.step();
        EXPECT_NEAR(p.parts[0].frame.signedArea(), 1.0f, 0.02f) << "fault " << fault;
    }
    // A square pressed flat may open either way: it keeps its numbering; a limp puppet is left alone.
    FrameSquare flat = start.parts[0].frame;
    placeFrame(flat, {{0.0f, 0.02f}, {0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 0.03f}});
    EXPECT_FALSE(flat.rewind(1.0f, 0.5f));
    start.set(Puppet::posed, false);
    start.parts[0].mirror();
    start.step();
    EXPECT_LT(start.parts[0].frame.signedArea(), -0.9f);
}
