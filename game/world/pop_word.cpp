#include "game/world/pop_word.h"

#include "game/flow/game_scene.h"
#include "game/world/object_factory.h"

void popWord(const char* name, float scale, Vec2 point) {
    GameScene* scene = GameScene::instance();
    if (!scene) return;
    std::unique_ptr<PuppetObject> word = createWord(name);
    word->collidesWith = kWordMask;
    word->setScale(scale);
    word->moveTo(point);
    word->push({0.0f, 0.2f});
    word->update();
    scene->addObject(std::move(word));
}
