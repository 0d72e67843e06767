#pragma once
// The star the hero conjures at its hand and throws. It is a loose puppet: one part, no pose holding
// it. Once thrown it attacks until it hits something or lands, and then fades away.

#include "game/world/puppet_object.h"

#include <cstdint>

class Star : public PuppetObject {
public:
    static constexpr const char* kModel = "data\\hero\\ma\\star.model";
    static constexpr const char* kPose = "data\\hero\\ma\\star.pose";

    Star();
    void update() override;
    void onHit(Vec2 v) override;

    // Bound 0 of part 0, the point that hangs on the hero's hand; null for a model without it.
    PointMass* grip();

    std::int32_t spent = 0;   // 1 once it has hit something or landed
    std::int32_t thrown = 0;  // 1 once it has left the hand
};
