#pragma once
// A straight line or plane met from one side: (nx, ny) is its unit normal pointing into the free
// side and nx * x + ny * y - d is the signed distance of a point from it.

struct ContactLine {
    float nx = 0.0f;
    float ny = 1.0f;
    float d = 0.0f;
};

// Level ground at y = 0: what the world meets beyond both ends of the stage's ground.
inline constexpr ContactLine kFlatLine{0.0f, 1.0f, 0.0f};
