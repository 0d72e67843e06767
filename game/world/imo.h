#pragma once
// A potato that hops in place with its skin always stinging, and does nothing else until it is hit:
// then it shakes for about 100 updates, bursts with a "Don", slumps, and gives up 100 updates later.

#include "game/world/enemy.h"

class Imo : public LimpingEnemy {
public:
    static constexpr const char* kModel = "data\\puppets\\imo\\0.model";
    static constexpr const char* kPose = "data\\puppets\\imo\\normal.pose";

    Imo();
    void applyGravity(Vec2 g) override;
    // Every hit (re)starts the countdown to the burst.
    void damage(Vec2 v) override;

protected:
    void act() override;
};
