#include "game/world/imo.h"

#include "game/shell/sound_effects.h"
#include "game/world/figure_loading.h"
#include "game/world/pop_word.h"

Imo::Imo() { loadFigure(*this, kModel, kPose); }

// Light, like the other small hoppers, so that its little hops carry.
void Imo::applyGravity(Vec2 g) { PuppetObject::applyGravity({g.x * 0.4f, g.y * 0.4f}); }

void Imo::damage(Vec2 v) {
    state = 1;
    PuppetObject::damage(v);
}

void Imo::act() {
    attackTimer = 10;
    faceHero();
    if (state == 2 && stateTimer % 4 == 0) puppet.mirror();  // the shaking before the burst
    if (state == 0 && onGround) puppet.push({0.0f, 0.05f});
    if (!timerStep()) return;
    switch (state) {
        case 1:
            stateTimer = 100;
            state = 2;
            break;
        case 2:
            popWord("Don", puppet.poseScale + 0.5f, position);
            SoundEffects::play("data\\sound\\don.wav");
            puppet.setPose("data\\puppets\\imo\\0.pose");
            stateTimer = 1;
            state = 3;
            break;
        case 3:
            puppet.set(Puppet::posed, false);
            stateTimer = 100;
            state = 4;
            break;
        case 4:
            // Spent: it fades from the next update on. It keeps its category, so the stage still
            // counts it until it is gone.
            life = -1.0f;
            break;
        default:
            break;  // 0: waiting to be hit
    }
}
