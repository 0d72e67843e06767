#include "game/world/pot.h"

#include "game/flow/game_scene.h"
#include "game/world/figure_loading.h"

Pot::Pot() { loadFigure(*this, kModel, kPose); }

void Pot::applyGravity(Vec2 g) {
    // Light while it floats, so that its own lift can hold it; a beaten pot falls like anything else.
    const float share = puppet.has(Puppet::posed) ? 0.1f : 1.0f;
    PuppetObject::applyGravity({g.x * share, g.y * share});
}

void Pot::act() {
    faceHero();
    creep();
    const GameScene* scene = GameScene::instance();
    const ContactLine& line = scene ? scene->ground.line(groundColumn(position.x)) : kFlatLine;
    // High enough above the ground under it and the hero right below: drop, pot first.
    if (position.y > line.d + 5.0f && heroWithin(2.0f * puppet.poseScale)) {
        puppet.push({0.0f, -0.01f});
        attackTimer = 40;
        return;
    }
    if (position.y * line.ny < 4.0f) puppet.push({0.0f, 0.01f});
}
