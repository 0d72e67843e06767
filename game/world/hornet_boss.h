#pragma once
// The queen hornet: never posed, a chain of loose parts trailing behind its head (part 0), which it
// steers alone in slow circles while drifting towards the hero. Its sting is always live and gravity
// never takes it, not even once beaten.

#include "game/world/enemy.h"

class HornetBoss : public LimpingEnemy {
public:
    static constexpr const char* kModel = "data\\puppets\\hornetboss\\0.model";
    static constexpr const char* kPose = "data\\puppets\\hornetboss\\0.pose";

    HornetBoss();
    void applyGravity(Vec2) override {}

    float phase = 0.0f;  // angle of the circling, in radians

protected:
    void act() override;
};
