#include "game/world/split_bubble.h"

#include "game/flow/game_scene.h"
#include "game/world/object_factory.h"

#include <algorithm>

void SplitBubble::update() {
    if (life >= 0.0f) {
        // Healing beyond the best life seen raises the mark: the next split waits for half of the new high.
        if (life > peakLife) {
            peakLife = life;
            splitLife = life * 0.5f;
        }
        // One split per update at most: a single big hit sheds one child, not one per halving.
        if (splitLife > life) {
            split();
            splitLife = life * 0.5f;
        }
    }
    Bubble::update();
}

void SplitBubble::split() {
    GameScene* scene = GameScene::instance();
    if (!scene) return;
    std::unique_ptr<PuppetObject> child = createObject("Bubble");
    child->collidesWith = collidesWith;
    child->category = category;
    child->setScale(puppet.poseScale * 0.5f);
    child->life = std::max(life, 0.0f) * 0.5f;
    child->moveTo(position);
    child->update();
    scene->addObject(std::move(child));
}
