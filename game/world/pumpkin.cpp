#include "game/world/pumpkin.h"

#include <algorithm>

Pumpkin::Pumpkin() : Item(kModel, kItemPose) {}

void Pumpkin::give(GameObject& hero) {
    hero.life = std::min(std::max(hero.life, 0.0f) + 0.2f * puppet.poseScale, 1.0f);
}
