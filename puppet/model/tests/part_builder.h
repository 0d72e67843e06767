#pragma once
// Builds parts in memory the way a part file would describe them, for tests that need no files.

#include "puppet/model/puppet.h"
#include "puppet/model/satisfy_distance.h"

#include <cmath>
#include <vector>

// A unit part whose picture fills its frame, with joints and bound centres at the given part
// coordinates and rest distances taken from the unit frame at the origin.
inline PuppetPart makePart(const std::vector<Vec2>& joints, const std::vector<Vec2>& bounds) {
    PuppetPart part;
    const float xs[4] = {-0.5f, -0.5f, 0.5f, 0.5f};
    const float ys[4] = {0.5f, -0.5f, -0.5f, 0.5f};
    for (int c = 0; c < 4; ++c) part.corners[c] = {xs[c], ys[c], xs[c] + 0.5f, 0.5f - ys[c]};
    for (Vec2 j : joints) part.joints.push_back({j.x, j.y, j.x, j.y});
    for (Vec2 b : bounds) {
        part.boundCentres.push_back({b.x, b.y, b.x, b.y});
        part.boundRadii.push_back(0.25f);
        part.boundKinds.push_back(8);
    }
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 4; ++i) part.pictureRest[4 * k + i] = pointDistance(part.corners[k], part.frame.corners[i]);
    }
    for (const PointMass& p : part.joints) {
        for (const PointMass& c : part.frame.corners) part.jointRest.push_back(pointDistance(p, c));
    }
    for (const PointMass& p : part.boundCentres) {
        for (const PointMass& c : part.frame.corners) part.boundRest.push_back(pointDistance(p, c));
    }
    return part;
}

// Where a unit square centred at (cx, cy) and turned by angle has its corners, in corner order.
struct Placement {
    float cx;
    float cy;
    float angle;
};

inline std::vector<Vec2> placedCorners(Placement p, float side = 1.0f) {
    const float h = side / 2.0f;
    const float xs[4] = {-h, -h, h, h};
    const float ys[4] = {h, -h, -h, h};
    std::vector<Vec2> out;
    const float c = std::cos(p.angle);
    const float s = std::sin(p.angle);
    for (int i = 0; i < 4; ++i) out.push_back({p.cx * side + c * xs[i] - s * ys[i], p.cy * side + s * xs[i] + c * ys[i]});
    return out;
}

inline void placeFrame(FrameSquare& frame, const std::vector<Vec2>& corners) {
    for (int i = 0; i < 4; ++i) frame.corners[i] = {corners[i].x, corners[i].y, corners[i].x, corners[i].y};
}

// The largest distance any point of the puppet moved in its last step.
inline float largestSpeed(const Puppet& puppet) {
    float fastest = 0.0f;
    auto consider = [&](const PointMass& p) {
        fastest = std::fmax(fastest, std::hypot(p.x - p.prevX, p.y - p.prevY));
    };
    for (const PointMass& c : puppet.frame.corners) consider(c);
    for (const PuppetPart& part : puppet.parts) {
        for (const PointMass& c : part.frame.corners) consider(c);
        for (const PointMass& j : part.joints) consider(j);
        for (const PointMass& b : part.boundCentres) consider(b);
    }
    return fastest;
}
