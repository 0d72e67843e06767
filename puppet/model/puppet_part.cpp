#include "puppet_part.h"

#include "satisfy_distance.h"

#include <algorithm>
#include <utility>

namespace {

// Holds each point at its four rest distances from the frame corners. The frame gives way by a share
// that shrinks as the part has more points, so many joints cannot drag the frame about.
void fitPoints(FrameSquare& frame, std::vector<PointMass>& points, const std::vector<float>& rest) {
    const std::size_t n = std::min(points.size(), rest.size() / 4);
    if (n == 0) return;
    const float wCorner = 0.5f / static_cast<float>(points.size());
    const float wPoint = 1.0f - wCorner;
    for (std::size_t j = 0; j < n; ++j) {
        for (std::size_t i = 0; i < 4; ++i) {
            PointMass& corner = frame.corners[i];
            satisfyDistance(corner, points[j], rest[4 * j + i], wCorner, wPoint,
                            pointDistance(corner, points[j]));
        }
    }
}

}  // namespace

void PuppetPart::fit() {
    fitPoints(frame, joints, jointRest);
    fitPoints(frame, boundCentres, boundRest);
}

void PuppetPart::step() {
    fit();
    frame.step();
    integratePoints(joints);
    integratePoints(boundCentres);
    fit();
}

void PuppetPart::push(Vec2 v) {
    frame.push(v);
    pushPoints(joints, v);
    pushPoints(boundCentres, v);
}

void PuppetPart::move(Vec2 v) {
    frame.move(v);
    movePoints(joints, v);
    movePoints(boundCentres, v);
}

void PuppetPart::damp(Vec2 k) {
    frame.damp(k);
    dampPoints(joints, k);
    dampPoints(boundCentres, k);
}

void PuppetPart::scale(float a) {
    frame.scale(a);
    for (float& r : pictureRest) r *= a;
    for (float& r : jointRest) r *= a;
    for (float& r : boundRest) r *= a;
    for (float& r : boundRadii) r *= a;
    fit();
}

void PuppetPart::mirror() { frame.mirror(); }

void PuppetPart::placePicture() {
    // Four rounds over all sixteen pairs: each round starts from where the last one (or the last draw)
    // left the picture, which converges on a frame that stays still.
    for (int round = 0; round < 4; ++round) {
        for (std::size_t k = 0; k < 4; ++k) {
            for (std::size_t i = 0; i < 4; ++i) {
                PointMass& corner = frame.corners[i];
                satisfyDistance(corner, corners[k], pictureRest[4 * k + i], 0.0f, 1.0f,
                                pointDistance(corner, corners[k]));
            }
        }
    }
}
