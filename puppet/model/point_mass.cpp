#include "point_mass.h"

void integratePoints(std::span<PointMass> points) {
    for (PointMass& p : points) {
        const float x = p.x;
        const float y = p.y;
        p.x = x + (x - p.prevX);
        p.y = y + (y - p.prevY);
        p.prevX = x;
        p.prevY = y;
    }
}

void dampPoints(std::span<PointMass> points, Vec2 k) {
    for (PointMass& p : points) {
        p.prevX = p.x - (p.x - p.prevX) * k.x;
        p.prevY = p.y - (p.y - p.prevY) * k.y;
    }
}

void pushPoints(std::span<PointMass> points, Vec2 v) {
    for (PointMass& p : points) {
        p.x += v.x;
        p.y += v.y;
    }
}

void movePoints(std::span<PointMass> points, Vec2 v) {
    for (PointMass& p : points) {
        p.x += v.x;
        p.prevX += v.x;
        p.y += v.y;
        p.prevY += v.y;
    }
}
