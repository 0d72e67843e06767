#pragma once
// A point integrated by position steps: its velocity is how far it went since the previous step.

#include "vec2.h"

#include <span>

struct PointMass {
    float x = 0.0f;
    float y = 0.0f;
    float prevX = 0.0f;
    float prevY = 0.0f;
};

// Each point keeps going by its last step: x += x - prevX.
void integratePoints(std::span<PointMass> points);
// Scales each point's velocity by k without moving it; k = (0, 0) stops the points.
void dampPoints(std::span<PointMass> points, Vec2 k);
// Adds v to each position only, so v becomes extra velocity at the next integration.
void pushPoints(std::span<PointMass> points, Vec2 v);
// Translates positions and previous positions alike: velocity is kept.
void movePoints(std::span<PointMass> points, Vec2 v);
