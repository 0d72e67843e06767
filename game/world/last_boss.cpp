#include "game/world/last_boss.h"

#include "game/flow/game_scene.h"
#include "game/world/figure_loading.h"
#include "game/world/object_factory.h"

#include <cmath>
#include <cstdlib>

namespace {
const char* const kMinions[] = {"Hornet", "Pot", "HornetBoss", "Pinoko", "Imo", "Naganeko", "Clay", "Mask", "Egg"};
constexpr int kMinionKinds = 9;
}  // namespace

LastBoss::LastBoss() { loadFigure(*this, kModel, kPose); }

void LastBoss::applyGravity(Vec2 g) {
    if (!puppet.has(Puppet::posed)) PuppetObject::applyGravity(g);
}

Vec2 LastBoss::hand() const {
    if (puppet.parts.size() <= kHandPart || puppet.parts[kHandPart].joints.empty()) return position;
    const PointMass& joint = puppet.parts[kHandPart].joints[0];
    return {joint.x, joint.y};
}

void LastBoss::act() {
    faceHero();
    // Far from the hero it closes in, sinking a little, since nothing else pulls it down.
    const PuppetObject* target = hero();
    if (target && std::trunc(std::fabs(position.x - target->position.x)) > 5.0f) {
        puppet.push({dir() * 0.1f, -0.01f});
    }
    if (!timerStep()) return;
    if (state == 0) {
        puppet.setPose("data\\puppets\\lastboss\\normal.pose");
        stateTimer = 80;
        state = 1;
        return;
    }
    puppet.setPose("data\\puppets\\lastboss\\a0.pose");
    stateTimer = 10;
    state = 0;
    attackTimer = 10;
    const GameScene* scene = GameScene::instance();
    if (scene && scene->enemyCount() < kMostEnemies) callMinion();
}

void LastBoss::callMinion() {
    GameScene* scene = GameScene::instance();
    if (!scene) return;
    std::unique_ptr<PuppetObject> minion = createObject(kMinions[std::rand() % kMinionKinds]);
    minion->collidesWith = kHeroCategory | 1u;  // as the stage spawns its enemies
    minion->category = kEnemyCategory;
    minion->moveTo(hand());
    minion->push({dir() * 0.1f, 0.0f});
    minion->life = kMinionLife;
    minion->update();
    scene->addObject(std::move(minion));
}
