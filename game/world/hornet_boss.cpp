#include "game/world/hornet_boss.h"

#include "game/world/figure_loading.h"

#include <cmath>

HornetBoss::HornetBoss() {
    loadFigure(*this, kModel, kPose);
    // The body hangs from the head through the links alone.
    puppet.set(Puppet::posed, false);
}

void HornetBoss::act() {
    phase += 0.01f;
    attackTimer = 10;
    if (puppet.parts.empty()) return;
    const float s = puppet.poseScale * 0.1f;
    const PuppetObject* target = hero();
    const float towardHero = target && position.x < target->position.x ? 0.1f : -0.1f;
    puppet.parts[0].push({s * std::cos(phase) + towardHero, s * std::sin(phase) - 0.01f});
}
