#pragma once
// An armoured walker on a 600-update cycle: for the first 300 it marches at the hero swinging its
// sword, for the next 300 it rests, shifting from foot to foot. A swing cut short by the rest freezes
// until the next march.

#include "game/world/enemy.h"

class Knight : public LimpingEnemy {
public:
    static constexpr const char* kModel = "data\\puppets\\knight\\0.model";
    static constexpr const char* kPose = "data\\puppets\\knight\\normal.pose";
    static constexpr std::int32_t kRestFrom = 300;  // cycle at which the rest begins
    static constexpr std::int32_t kCycleEnd = 600;  // the cycle starts over once past this

    Knight();

    std::int32_t cycle = 0;

protected:
    void act() override;

private:
    void rest();
    void fight();
};
