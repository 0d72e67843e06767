#include "view_math.h"

#include <cmath>

Mat4 Mat4::identity() {
    Mat4 r;
    r.m = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    return r;
}

Mat4 multiply(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[4 * i + k] * b.m[4 * k + j];
            r.m[static_cast<std::size_t>(4 * i + j)] = sum;
        }
    }
    return r;
}

namespace {
Vec3 sub(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 normalised(Vec3 a) {
    const float length = std::sqrt(dot(a, a));
    return {a.x / length, a.y / length, a.z / length};
}
}  // namespace

Mat4 lookAtRH(Vec3 eye, Vec3 target, Vec3 up) {
    const Vec3 z = normalised(sub(eye, target));
    const Vec3 x = normalised(cross(up, z));
    const Vec3 y = cross(z, x);
    Mat4 r;
    r.m = {x.x, y.x, z.x, 0, x.y, y.y, z.y, 0, x.z, y.z, z.z, 0, -dot(x, eye), -dot(y, eye), -dot(z, eye), 1};
    return r;
}

Mat4 perspectiveFovRH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    Mat4 r;
    r.m = {xScale,
           0,
           0,
           0,
           0,
           yScale,
           0,
           0,
           0,
           0,
           zFar / (zNear - zFar),
           -1,
           0,
           0,
           zNear * zFar / (zNear - zFar),
           0};
    return r;
}

Mat4 rigidInverse(const Mat4& a) {
    Mat4 r = Mat4::identity();
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            r.m[static_cast<std::size_t>(4 * i + j)] = a.m[static_cast<std::size_t>(4 * j + i)];
    }
    for (int j = 0; j < 3; ++j) {
        float sum = 0.0f;
        for (int k = 0; k < 3; ++k)
            sum += a.m[static_cast<std::size_t>(12 + k)] * r.m[static_cast<std::size_t>(4 * k + j)];
        r.m[static_cast<std::size_t>(12 + j)] = -sum;
    }
    return r;
}

ViewCamera::ViewCamera(float viewportWidth, float viewportHeight, float cameraDistance, Point2 centre)
    : width(viewportWidth), height(viewportHeight) {
    // An eye on the plane itself has no direction to look along; stay a hair in front of it.
    const float eyeZ = cameraDistance == 0.0f ? 1e-4f : cameraDistance;
    view = lookAtRH({centre.x, centre.y, eyeZ}, {centre.x, centre.y, 0.0f}, {0.0f, 1.0f, 0.0f});
    projection = perspectiveFovRH(kFieldOfView, width / height, kNear, kFar);
}

ScreenPoint ViewCamera::project(Vec3 p) const {
    const Mat4 m = multiply(view, projection);
    const float x = p.x * m.m[0] + p.y * m.m[4] + p.z * m.m[8] + m.m[12];
    const float y = p.x * m.m[1] + p.y * m.m[5] + p.z * m.m[9] + m.m[13];
    const float w = p.x * m.m[3] + p.y * m.m[7] + p.z * m.m[11] + m.m[15];
    return {(1.0f + x / w) * width / 2.0f, (1.0f - y / w) * height / 2.0f};
}

Point2 ViewCamera::pickPlanePoint(float sx, float sy) const {
    const float vx = (2.0f * sx / width - 1.0f) / projection.at(1, 1);
    const float vy = -(2.0f * sy / height - 1.0f) / projection.at(2, 2);
    const Mat4 inv = rigidInverse(view);
    const Vec3 d{vx * inv.at(1, 1) + vy * inv.at(2, 1) - inv.at(3, 1),
                 vx * inv.at(1, 2) + vy * inv.at(2, 2) - inv.at(3, 2),
                 vx * inv.at(1, 3) + vy * inv.at(2, 3) - inv.at(3, 3)};
    const Vec3 o{inv.at(4, 1), inv.at(4, 2), inv.at(4, 3)};
    const float t = -o.z / d.z;
    return {o.x + t * d.x, o.y + t * d.y};
}
