#pragma once
// The plainest enemy: it crouches, then leaps at the hero with a "Don", about every 112 updates, and
// only from the ground. The factory also makes one for any name it does not know.

#include "game/world/enemy.h"

class Bubble : public Enemy {
public:
    static constexpr const char* kModel = "data\\puppets\\bubble\\0.model";
    static constexpr const char* kPose = "data\\puppets\\bubble\\normal.pose";

    Bubble();

protected:
    // Face the hero and, on the ground, crouch and leap by turns. Shared with the bubble that splits.
    void act() override;
};
