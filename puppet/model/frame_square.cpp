#include "frame_square.h"

#include "satisfy_distance.h"

#include <utility>

namespace {

// The single-precision square root of 2: the rest length of a diagonal of the unit square.
constexpr float kDiagonal = 1.4142135f;

// Every way of going round four corners, each way in both directions. A square turned over reads in
// the second order (renumbered by it, it is mirrored back); one twisted through itself, in one of the
// last four.
constexpr std::size_t kRounds[6][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}, {0, 1, 3, 2},
                                       {2, 3, 1, 0}, {0, 2, 1, 3}, {3, 1, 2, 0}};

float areaInOrder(const std::array<PointMass, 4>& c, const std::size_t (&order)[4]) {
    const PointMass& a = c[order[0]];
    const PointMass& b = c[order[1]];
    const PointMass& d = c[order[2]];
    const PointMass& e = c[order[3]];
    return 0.5f * ((d.x - a.x) * (e.y - b.y) - (d.y - a.y) * (e.x - b.x));
}

void hold(PointMass& a, PointMass& b, float rest) {
    satisfyDistance(a, b, rest, 0.5f, 0.5f, pointDistance(a, b));
}

}  // namespace

void FrameSquare::init(float s) {
    const float h = s / 2.0f;
    corners[0] = {-h, h, -h, h};
    corners[1] = {-h, -h, -h, -h};
    corners[2] = {h, -h, h, -h};
    corners[3] = {h, h, h, h};
    side = s;
}

void FrameSquare::rigidify() {
    hold(corners[0], corners[1], side);
    hold(corners[2], corners[3], side);
    hold(corners[3], corners[0], side);
    hold(corners[1], corners[2], side);
    hold(corners[0], corners[2], side * kDiagonal);
    hold(corners[3], corners[1], side * kDiagonal);
}

void FrameSquare::step() {
    rigidify();
    integratePoints(corners);
    rigidify();
}

void FrameSquare::scale(float a) {
    side *= a;
    rigidify();
}

void FrameSquare::push(Vec2 v) { pushPoints(corners, v); }

void FrameSquare::move(Vec2 v) { movePoints(corners, v); }

void FrameSquare::damp(Vec2 k) { dampPoints(corners, k); }

Vec2 FrameSquare::centre() const {
    return {(corners[0].x + corners[1].x + corners[2].x + corners[3].x) * 0.25f,
            (corners[0].y + corners[1].y + corners[2].y + corners[3].y) * 0.25f};
}

Vec2 FrameSquare::velocity() const {
    float vx = 0.0f;
    float vy = 0.0f;
    for (const PointMass& c : corners) {
        vx += c.x - c.prevX;
        vy += c.y - c.prevY;
    }
    return {vx * 0.25f, vy * 0.25f};
}

float FrameSquare::signedArea() const {
    // Half the cross product of the diagonals: the shoelace sum without its large terms far from the
    // origin.
    return areaInOrder(corners, kRounds[0]);
}

void FrameSquare::mirror() {
    std::swap(corners[0], corners[3]);
    std::swap(corners[1], corners[2]);
}

bool FrameSquare::rewind(float winding, float margin) {
    const float asNumbered = winding * signedArea();
    std::size_t best = 0;
    float bestArea = asNumbered;
    for (std::size_t r = 1; r < 6; ++r) {
        const float area = winding * areaInOrder(corners, kRounds[r]);
        if (area > bestArea) {
            best = r;
            bestArea = area;
        }
    }
    if (bestArea - asNumbered < margin * side * side) return false;
    const std::array<PointMass, 4> was = corners;
    for (std::size_t j = 0; j < 4; ++j) corners[j] = was[kRounds[best][j]];
    return true;
}
