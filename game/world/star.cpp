#include "game/world/star.h"

#include "game/shell/sound_effects.h"
#include "game/world/fade.h"
#include "game/world/figure_loading.h"
#include "game/world/pop_word.h"

#include <cmath>

Star::Star() {
    loadFigure(*this, kModel, kPose);
    // The pose only shaped the circles: a star flies as a loose part.
    puppet.set(Puppet::posed, false);
}

PointMass* Star::grip() {
    if (puppet.parts.empty() || puppet.parts[0].boundCentres.empty()) return nullptr;
    return &puppet.parts[0].boundCentres[0];
}

void Star::update() {
    if (thrown) {
        attackTimer = 10;  // live all through its flight
        if (spent) {
            life = -1.0f;
            attackTimer = 0;
            alpha -= kFadeStep;
        } else if (onGround) {
            spent = 1;
        }
    }
    PuppetObject::update();
}

void Star::onHit(Vec2 v) {
    if (!thrown) return;
    spent = 1;
    collidesWith = 1;  // it has done its work: enemies no longer matter to it
    popWord("Zaku", std::sqrt(v.x * v.x + v.y * v.y) + 0.5f, position);
    SoundEffects::play("data\\sound\\zaku.wav");
}
