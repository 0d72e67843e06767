#include "game/world/stump.h"

#include "game/world/figure_loading.h"

namespace {
// States 4 to 80 hold the stump still while its parts settle back into its pose.
constexpr std::int32_t kFirstSettle = 4;
constexpr std::int32_t kLastSettle = 80;
}  // namespace

Stump::Stump() { loadFigure(*this, kModel, kPose); }

void Stump::applyGravity(Vec2 g) { PuppetObject::applyGravity({g.x * 0.4f, g.y * 0.4f}); }

void Stump::act() {
    faceHero();
    if (onGround) puppet.push({dir() * 0.002f, 0.0f});
    if (!timerStep()) return;
    if (state == 0) {
        if (!heroWithin(kReach * puppet.poseScale)) return;
        puppet.setPose("data\\puppets\\stump\\a0.pose");
        stateTimer = 40;
        state = 1;
    } else if (state == 1) {
        puppet.setPose("data\\puppets\\stump\\a1.pose");
        stateTimer = 1;
        attackTimer = 100;
        state = 2;
    } else if (state == 2) {
        puppet.set(Puppet::posed, false);
        stateTimer = 100;
        state = 3;
    } else if (state == 3) {
        puppet.setPose(kPose);
        puppet.set(Puppet::posed, true);
        state = kFirstSettle;
    } else if (state >= kFirstSettle && state <= kLastSettle) {
        puppet.damp({0.8f, 0.8f});
        ++state;
    } else {
        state = 0;
    }
}
