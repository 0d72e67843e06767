#include "game/flow/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {

constexpr double kFieldOfView = 45.0;  // degrees, vertical
constexpr double kAspect = 1.3333333333333333;
constexpr double kScreenWidth = 640.0;
constexpr double kScreenHeight = 480.0;

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 normalised(Vec3 a) {
    const double length = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return length > 0.0 ? a * (1.0 / length) : a;
}

Vec3 eyeOf(CameraPoint point, float cameraZ) { return {point.x, point.y + 2.0, cameraZ}; }

}  // namespace

CameraPoint cameraPoint(Vec2 hero, std::uint32_t lineCount) {
    CameraPoint point{hero.x, hero.y};
    if (point.y < 1.0f) {
        point.y = 1.0f;
    } else if (point.y > 8.0f) {
        point.y = 8.0f;
    }
    if (point.x < 5.0f) point.x = 5.0f;
    // On a stage shorter than the screen the right end wins.
    const float length = static_cast<float>(lineCount);
    if (lineCount >= 5 && point.x > length - 5.0f) point.x = length - 5.0f;
    return point;
}

void setUpCamera(CameraPoint point, float cameraZ) {
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, kAspect, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vec3 eye = eyeOf(point, cameraZ);
    gluLookAt(eye.x, eye.y, eye.z, point.x, point.y, 0.0, 0.0, 1.0, 0.0);
}

void setUpScreen() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 480.0, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool stagePointUnder(CameraPoint point, float cameraZ, std::int32_t mouseX, std::int32_t mouseY,
                     std::int32_t windowHeight, Vec2& hit) {
    // Window pixels to the viewport's normalised square: the viewport sits at the window's lower left.
    const double ndcX = mouseX / kScreenWidth * 2.0 - 1.0;
    const double ndcY = (windowHeight - mouseY) / kScreenHeight * 2.0 - 1.0;
    const double halfHeight = std::tan(kFieldOfView * 0.5 * 3.14159265358979323846 / 180.0);

    // The camera's frame exactly as the look-at builds it.
    const Vec3 eye = eyeOf(point, cameraZ);
    const Vec3 forward = normalised(Vec3{point.x, point.y, 0.0} - eye);
    const Vec3 side = normalised(cross(forward, {0.0, 1.0, 0.0}));
    const Vec3 up = cross(side, forward);
    const Vec3 ray = forward + side * (ndcX * halfHeight * kAspect) + up * (ndcY * halfHeight);

    if (!(ray.z < 0.0) || !(eye.z > 0.0)) return false;
    const double t = -eye.z / ray.z;
    const Vec3 at = eye + ray * t;
    hit = {static_cast<float>(at.x), static_cast<float>(at.y)};
    return std::isfinite(hit.x) && std::isfinite(hit.y);
}
