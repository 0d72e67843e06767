#pragma once
// A long cat that strikes up at a hero standing well above it and sweeps along the ground at one
// that is not.

#include "game/world/enemy.h"

class Naganeko : public Enemy {
public:
    static constexpr const char* kModel = "data\\puppets\\naganeko\\0.model";
    static constexpr const char* kPose = "data\\puppets\\naganeko\\normal.pose";
    // How far above it the hero has to be for the upward strike.
    static constexpr float kHighHero = 3.0f;

    Naganeko();

protected:
    void act() override;
};
