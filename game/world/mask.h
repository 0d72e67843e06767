#pragma once
// A creeping mask that rears up and lunges at the hero from the ground, biting through both the
// rearing and the lunge.

#include "game/world/enemy.h"

class Mask : public Enemy {
public:
    static constexpr const char* kModel = "data\\puppets\\mask\\0.model";
    static constexpr const char* kPose = "data\\puppets\\mask\\normal.pose";

    Mask();

protected:
    void act() override;
};
