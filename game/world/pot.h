#pragma once
// A floating pot: it creeps towards the hero at a height of about four units and drops on it when the
// hero passes below. It has no states.

#include "game/world/enemy.h"

class Pot : public Enemy {
public:
    static constexpr const char* kModel = "data\\puppets\\pot\\0.model";
    static constexpr const char* kPose = "data\\puppets\\pot\\normal.pose";

    Pot();
    void applyGravity(Vec2 g) override;

protected:
    void act() override;
};
