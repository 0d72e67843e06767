#include "game/world/item.h"

#include "game/flow/game_scene.h"
#include "game/world/fade.h"
#include "game/world/figure_loading.h"

#include <algorithm>

Item::Item(const char* modelPath, const char* posePath) {
    loadFigure(*this, modelPath, posePath);
    alpha = kStartAlpha;
}

void Item::update() {
    if (state == 1) {
        alpha -= 5.0f * kFadeStep;
    } else {
        alpha = std::min(alpha + 0.05f, 1.0f);  // fades in over about 20 updates
    }
    PuppetObject::update();
}

void Item::collide(std::size_t ownCircle, GameObject& other, std::size_t otherCircle) {
    if (state != 0 || !(alpha > kReadyAlpha)) return;
    // Whoever touched it, hero or star, the hero gets it.
    GameScene* scene = GameScene::instance();
    if (scene && scene->hero) give(*scene->hero);
    state = 1;
    PuppetObject::collide(ownCircle, other, otherCircle);
}
