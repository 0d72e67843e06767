#pragma once
// The last boss: it floats after the hero, and every 92 updates strikes and calls a minion out of its
// hand, as long as fewer than 20 enemies are on the stage.

#include "game/world/enemy.h"

class LastBoss : public Enemy {
public:
    static constexpr const char* kModel = "data\\puppets\\lastboss\\0.model";
    // The first pose is read from outside the boss's own folder; its state poses are inside it.
    static constexpr const char* kPose = "data\\lastboss\\lastboss\\normal.pose";
    static constexpr int kMostEnemies = 20;
    static constexpr std::size_t kHandPart = 14;  // minions appear at joint 0 of this part
    static constexpr float kMinionLife = 0.05f;

    LastBoss();
    void applyGravity(Vec2 g) override;

    // Where a minion appears: joint 0 of the hand part, or the boss's own centre for a model without it.
    Vec2 hand() const;

protected:
    void act() override;

private:
    void callMinion();
};
