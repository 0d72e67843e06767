#include "game/world/hornet.h"

#include "game/world/figure_loading.h"

Hornet::Hornet() { loadFigure(*this, kModel, kPose); }

void Hornet::applyGravity(Vec2 g) {
    if (!puppet.has(Puppet::posed)) PuppetObject::applyGravity(g);
}

void Hornet::act() {
    faceHero();
    if (!timerStep()) return;
    if (state == 0) {
        puppet.setPose(kPose);
        stateTimer = 10;
        state = 1;
        return;
    }
    puppet.setPose("data\\puppets\\hornet\\n0.pose");
    stateTimer = 10;
    state = 0;
    attackTimer = 10;
    // A dart at the hero, a touch downwards: the only thing that ever lowers it.
    puppet.push({dir() * 0.1f, -0.01f});
}
