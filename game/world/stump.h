#pragma once
// A tree stump that edges towards the hero and waits; once the hero comes close it winds up, strikes,
// then slumps for about 100 updates, easy prey, before it pulls itself together over 77 more.

#include "game/world/enemy.h"

class Stump : public LimpingEnemy {
public:
    static constexpr const char* kModel = "data\\puppets\\stump\\0.model";
    static constexpr const char* kPose = "data\\puppets\\stump\\normal.pose";
    static constexpr float kReach = 4.0f;  // times its scale: how close the hero must come

    Stump();
    void applyGravity(Vec2 g) override;

protected:
    void act() override;
};
