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
    // Area enclosed by the corners in their order: about side squared while they run counter-clockwise,
    // about minus that for a mirrored square, near 0 for a square pressed flat.
    float signedArea() const;
    // Swaps corner 0 with 3 and 1 with 2: the same square, numbered the other way round.
    void mirror();
    // Renumbers the corners in the order that goes round them with this winding (+1 counter-clockwise,
    // -1 clockwise) when that order encloses more area than the current one by at least margin times
    // side squared; a square merely pressed flat is left as it is. Returns whether it renumbered.
    bool rewind(float winding, float margin);
};
