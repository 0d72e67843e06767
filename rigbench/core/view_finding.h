#pragma once
// Finding one's way in the view: which part's picture lies under a point, and where the camera must
// stand to show the whole puppet.

#include "edit_model.h"

#include <functional>

// The texture coordinates of a plane point on a part's picture, when the picture (drawn as the fan
// 0, 1, 2, 3) covers it.
bool pictureCoordinates(const EditPart& part, Point2 point, float& u, float& v);

// The last part in drawing order whose picture covers the point and is solid there, or -1. solid says
// whether a part's picture has paint at texture coordinates (u, v); unset, every covered point counts.
int topmostPartAt(const EditModel& model, Point2 point,
                  const std::function<bool(const EditPart&, float u, float v)>& solid = {});

struct ViewFit {
    Point2 centre;
    float cameraDistance = 5.0f;
};

// The camera over the middle of everything the puppet shows (squares, pictures, joints), far enough for
// all of it to fit a view of the given aspect ratio with a little room around. An empty puppet gives
// the starting camera.
ViewFit fitWholePuppet(const EditModel& model, float aspect, float fieldOfView);
