#pragma once
// An egg that rocks through seven poses with its shell spiking, crying "Ora" at every round, for 300
// updates; then it lies limp for 200 and starts again.

#include "game/world/enemy.h"

class Egg : public LimpingEnemy {
public:
    static constexpr const char* kModel = "data\\puppets\\egg\\0.model";
    static constexpr const char* kPose = "data\\puppets\\egg\\0.pose";
    static constexpr std::int32_t kFirstActing = 300;  // updates of acting before its first rest
    static constexpr std::int32_t kResting = 200;
    static constexpr std::int32_t kActing = 500;  // from one rest to the next, the rest included
    static constexpr std::int32_t kRestState = 10;

    Egg();

    std::int32_t hatchTimer = kFirstActing;

protected:
    void act() override;
};
