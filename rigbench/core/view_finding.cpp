#include "view_finding.h"

#include <algorithm>
#include <cmath>

namespace {

// Barycentric weights of p in the triangle a, b, c; false when p lies outside or the triangle is flat.
bool inTriangle(Point2 p, Point2 a, Point2 b, Point2 c, float& wa, float& wb, float& wc) {
    const float det = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
    if (std::fabs(det) < 1e-12f) return false;
    wa = ((b.y - c.y) * (p.x - c.x) + (c.x - b.x) * (p.y - c.y)) / det;
    wb = ((c.y - a.y) * (p.x - c.x) + (a.x - c.x) * (p.y - c.y)) / det;
    wc = 1.0f - wa - wb;
    constexpr float edge = -1e-6f;
    return wa >= edge && wb >= edge && wc >= edge;
}

}  // namespace

bool pictureCoordinates(const EditPart& part, Point2 point, float& u, float& v) {
    const auto& q = part.picture;
    const int fan[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (const auto& t : fan) {
        const PictureVertex& a = q[static_cast<std::size_t>(t[0])];
        const PictureVertex& b = q[static_cast<std::size_t>(t[1])];
        const PictureVertex& c = q[static_cast<std::size_t>(t[2])];
        float wa = 0.0f, wb = 0.0f, wc = 0.0f;
        if (!inTriangle(point, {a.x, a.y}, {b.x, b.y}, {c.x, c.y}, wa, wb, wc)) continue;
        u = wa * a.u + wb * b.u + wc * c.u;
        v = wa * a.v + wb * b.v + wc * c.v;
        return true;
    }
    return false;
}

int topmostPartAt(const EditModel& model, Point2 point,
                  const std::function<bool(const EditPart&, float u, float v)>& solid) {
    for (int i = static_cast<int>(model.parts.size()) - 1; i >= 0; --i) {
        const EditPart& part = model.parts[static_cast<std::size_t>(i)];
        float u = 0.0f, v = 0.0f;
        if (!pictureCoordinates(part, point, u, v)) continue;
        if (!solid || solid(part, u, v)) return i;
    }
    return -1;
}

ViewFit fitWholePuppet(const EditModel& model, float aspect, float fieldOfView) {
    bool any = false;
    Point2 low, high;
    auto take = [&](float x, float y) {
        if (!any) {
            low = high = {x, y};
            any = true;
        }
        low = {std::min(low.x, x), std::min(low.y, y)};
        high = {std::max(high.x, x), std::max(high.y, y)};
    };
    for (const EditPart& part : model.parts) {
        for (const Point2& c : part.corners) take(c.x, c.y);
        for (const PictureVertex& p : part.picture) take(p.x, p.y);
        for (const Point2& j : part.joints) take(j.x, j.y);
    }
    ViewFit fit;
    if (!any) return fit;
    constexpr float room = 1.15f;
    fit.centre = {(low.x + high.x) / 2.0f, (low.y + high.y) / 2.0f};
    const float halfHeight =
        std::max((high.y - low.y) / 2.0f, (high.x - low.x) / 2.0f / std::max(aspect, 1e-3f));
    fit.cameraDistance = std::max(halfHeight * room / std::tan(fieldOfView / 2.0f), 0.5f);
    return fit;
}
