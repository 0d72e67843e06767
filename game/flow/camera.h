#pragma once
// The stage camera: it follows the hero within the stage's ends and a band of heights, and looks down
// at it from two units above, cameraZ in front of the stage plane.

#include "puppet/model/vec2.h"

#include <cstdint>

struct CameraPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// The point looked at for a hero at `hero` on a stage of `lineCount` contact lines.
CameraPoint cameraPoint(Vec2 hero, std::uint32_t lineCount);

// Viewport 640 x 480 at the window's lower left, 45 degree perspective, eye above and in front.
void setUpCamera(CameraPoint point, float cameraZ);
// A 640 x 480 orthographic space, y downwards.
void setUpScreen();

// The point of the stage plane z = 0 under the cursor at client pixel (mouseX, mouseY) in a window
// `windowHeight` pixels high, through the same camera. False when the ray misses the plane (a camera
// at or behind it).
bool stagePointUnder(CameraPoint point, float cameraZ, std::int32_t mouseX, std::int32_t mouseY,
                     std::int32_t windowHeight, Vec2& hit);
