#include "game/world/item_box.h"

#include "game/flow/game_scene.h"
#include "game/world/fade.h"
#include "game/world/figure_loading.h"
#include "game/world/object_factory.h"

#include <cmath>
#include <utility>

ItemBox::ItemBox(std::string itemName) : itemName_(std::move(itemName)) { loadFigure(*this, kModel, kPose); }

void ItemBox::update() {
    if (state == 1) alpha -= 2.0f * kFadeStep;
    PuppetObject::update();
}

void ItemBox::damage(Vec2 v) {
    if (state == 0) dropItem();  // once only
    state = 1;
    puppet.set(Puppet::posed, false);
    hurtTimer = kHurtFrames;
    life = -1.0f - std::sqrt(v.x * v.x + v.y * v.y) * 0.1f;
}

void ItemBox::dropItem() {
    GameScene* scene = GameScene::instance();
    if (!scene) return;
    std::unique_ptr<PuppetObject> item = createObject(itemName_.c_str());
    // Only the item reacts to a touch (its category stays 0), so that nothing knocks it about.
    item->collidesWith = kHeroCategory | 1u;
    item->setScale(puppet.poseScale);
    item->moveTo(position);
    item->push({0.0f, 0.2f});
    item->update();
    scene->addObject(std::move(item));
}
