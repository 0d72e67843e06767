#include "frame_square.h"

#include "satisfy_distance.h"

namespace {

// The single-precision square root of 2: the rest length of a diagonal of the unit square.
constexpr float kDiagonal = 1.4142135f;

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
