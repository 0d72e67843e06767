#pragma once
// A lump of clay that stands and jabs: a 30-update wind-up, then a quick three-beat strike.

#include "game/world/enemy.h"

class Clay : public LimpingEnemy {
public:
    static constexpr const char* kModel = "data\\puppets\\clay\\0.model";
    static constexpr const char* kPose = "data\\puppets\\clay\\normal.pose";

    Clay();
    void applyGravity(Vec2 g) override;

protected:
    void act() override;
};
