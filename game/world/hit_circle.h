#pragma once
// One collision circle of a game object, taken from a bound circle of one of its puppet's parts.

#include <cstdint>

// What a circle does in a collision. Any other value is inert.
enum HitKind : std::int32_t { kBodyHit = 0, kAttackHit = 1, kInertHit = 2 };

struct HitCircle {
    float x = 0.0f;  // centre, the bound point's position
    float y = 0.0f;
    float radius = 0.0f;
    float vx = 0.0f;  // the bound point's velocity
    float vy = 0.0f;
    std::int32_t kind = kInertHit;
};
