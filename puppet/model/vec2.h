#pragma once
// A plain two-component vector: pushes, moves, damping factors and centres of puppets.

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};
