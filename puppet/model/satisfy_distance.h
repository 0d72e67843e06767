#pragma once
// The one distance constraint of the puppet physics and of picture placement. Every relation inside a
// puppet is a rest distance between two points; this moves both points towards it, each by its weight.

#include <cmath>

// Straight-line distance between the positions of two points (anything with x and y).
template <class A, class B>
inline float pointDistance(const A& a, const B& b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

// d is the current distance, measured by the caller just before. Only positions change, so each
// correction also shows up as velocity at the next integration. Weight 1 puts a point exactly at the
// rest distance along the line, weight 0 leaves it where it is.
template <class A, class B>
inline void satisfyDistance(A& a, B& b, float rest, float wA, float wB, float d) {
    if (a.x == b.x && a.y == b.y) {
        // Coincident points have no direction between them: part them by a hair along x.
        a.x += 0.0001f;
        d = 0.0001f;
    }
    const float nx = (b.x - a.x) / d;
    const float ny = (b.y - a.y) / d;
    const float e = rest - d;
    a.x -= nx * e * wA;
    a.y -= ny * e * wA;
    b.x += nx * e * wB;
    b.y += ny * e * wB;
}
