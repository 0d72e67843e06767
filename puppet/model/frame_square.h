#pragma once
// Four point masses held square by distances: the control frame of a part and of a whole puppet.
// Corner 0 is top left, then the corners run counter-clockwise; poses, mirroring and every stored
// rest distance refer to these numbers.

#include "point_mass.h"
#include "vec2.h"

#include <array>

struct FrameSquare {
    std::array<PointMass, 4> corners{};
    float side = 0.0f;

    // Square of side s centred on the origin, at rest.
    void init(float s);
    // One pass of the six side and diagonal distances.
    void rigidify();
    // rigidify, integrate the corners, rigidify.
    void step();
    void scale(float a);
    void push(Vec2 v);
    void move(Vec2 v);
    void damp(Vec2 k);
    Vec2 centre() const;
    Vec2 velocity() const;
};
