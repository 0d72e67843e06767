#include "game/world/enemy.h"

#include "game/flow/game_scene.h"
#include "game/world/fade.h"

#include <cmath>

void Enemy::update() {
    if (beaten()) {
        fade();
    } else {
        act();
    }
    PuppetObject::update();
}

void Enemy::faceHero() {
    const PuppetObject* target = hero();
    if (!target) return;
    if (position.x < target->position.x) {
        puppet.faceRight();
    } else {
        puppet.faceLeft();
    }
}

bool Enemy::timerStep() {
    if (stateTimer > 0) {
        --stateTimer;
        return false;
    }
    return true;
}

void Enemy::fade() { alpha -= kFadeStep; }

void Enemy::creep() {
    if (std::fabs(puppet.velocity().x) < 0.1f) puppet.push({dir() * 0.001f, 0.0f});
}

const PuppetObject* Enemy::hero() {
    const GameScene* scene = GameScene::instance();
    return scene ? scene->hero : nullptr;
}

bool Enemy::heroWithin(float limit) const {
    const PuppetObject* target = hero();
    return target && std::trunc(std::fabs(position.x - target->position.x)) < limit;
}
