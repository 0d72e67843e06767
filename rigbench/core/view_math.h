#pragma once
// The camera of the view as plain matrices, row vectors times matrices (translation in the last
// row), so that a matrix's sixteen floats are also what OpenGL's fixed pipeline expects.

#include "edit_model.h"

#include <array>

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Mat4 {
    std::array<float, 16> m{};
    float at(int row, int column) const { return m[static_cast<std::size_t>(4 * (row - 1) + (column - 1))]; }
    static Mat4 identity();
};

Mat4 multiply(const Mat4& a, const Mat4& b);
// Right-handed look-at and perspective, depth mapped to 0 … 1.
Mat4 lookAtRH(Vec3 eye, Vec3 target, Vec3 up);
Mat4 perspectiveFovRH(float fovY, float aspect, float zNear, float zFar);
// The inverse of a rigid transform (rotation and translation), as a look-at matrix is.
Mat4 rigidInverse(const Mat4& a);

struct ScreenPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A camera looking straight down at a point of the plane z = 0 (the origin unless panned), over a
// viewport of width × height.
struct ViewCamera {
    float width = 1.0f;
    float height = 1.0f;
    Mat4 view;
    Mat4 projection;

    static constexpr float kFieldOfView = 0.7853982f;
    static constexpr float kNear = 0.1f;
    static constexpr float kFar = 1000.0f;

    ViewCamera(float viewportWidth, float viewportHeight, float cameraDistance, Point2 centre = {});
    // World point to pixel position (y down from the top of the viewport).
    ScreenPoint project(Vec3 point) const;
    // The point of the plane z = 0 under a pixel.
    Point2 pickPlanePoint(float sx, float sy) const;
};
