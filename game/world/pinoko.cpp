#include "game/world/pinoko.h"

#include "game/flow/game_scene.h"
#include "game/world/figure_loading.h"

Pinoko::Pinoko() { loadFigure(*this, kModel, kPose); }

void Pinoko::applyGravity(Vec2 g) { PuppetObject::applyGravity({g.x * 0.4f, g.y * 0.4f}); }

void Pinoko::act() {
    const GameScene* scene = GameScene::instance();
    const float length = scene ? static_cast<float>(scene->ground.lineCount()) : 0.0f;
    if (position.x < kTurnMargin) {
        puppet.faceRight();
    } else if (position.x > length - kTurnMargin) {
        puppet.faceLeft();
    }
    attackTimer = 10;
    if (onGround) puppet.push({dir() * 0.02f, 0.0f});
}
