#pragma once
// A flying pest: it hangs in the air facing the hero and darts a little towards it every 22 updates
// with its sting out. Only once beaten does gravity take it.

#include "game/world/enemy.h"

class Hornet : public Enemy {
public:
    static constexpr const char* kModel = "data\\puppets\\hornet\\0.model";
    static constexpr const char* kPose = "data\\puppets\\hornet\\normal.pose";

    Hornet();
    void applyGravity(Vec2 g) override;

protected:
    void act() override;
};
