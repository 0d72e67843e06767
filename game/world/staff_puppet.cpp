#include "game/world/staff_puppet.h"

#include "game/world/fade.h"
#include "game/world/figure_loading.h"

StaffPuppet::StaffPuppet(const char* modelPath, const char* posePath) { loadFigure(*this, modelPath, posePath); }

void StaffPuppet::update() {
    if (life < 0.0f) alpha -= 0.2f * kFadeStep;  // about 833 updates
    PuppetObject::update();
}

void StaffPuppet::applyGravity(Vec2 g) { push({g.x * 0.2f, g.y * 0.2f}); }
