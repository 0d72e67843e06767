#pragma once
// A small walker that paces the stage from end to end, turning ten units before each wall, with its
// attack always live. It pays the hero no attention.

#include "game/world/enemy.h"

class Pinoko : public Enemy {
public:
    static constexpr const char* kModel = "data\\puppets\\pinoko\\0.model";
    static constexpr const char* kPose = "data\\puppets\\pinoko\\normal.pose";
    static constexpr float kTurnMargin = 10.0f;  // distance from either end of the stage where it turns

    Pinoko();
    void applyGravity(Vec2 g) override;

protected:
    void act() override;
};
