#include "game/world/enemy.h"

#include "game/flow/game_scene.h"
#include "game/world/fade.h"

void Enemy::faceHero() {
    const GameScene* scene = GameScene::instance();
    if (!scene || !scene->hero) return;
    if (position.x < scene->hero->position.x) {
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
