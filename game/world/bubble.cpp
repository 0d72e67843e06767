#include "game/world/bubble.h"

#include "game/shell/sound_effects.h"
#include "game/world/figure_loading.h"
#include "game/world/pop_word.h"

Bubble::Bubble() { loadFigure(*this, kModel, kPose); }

void Bubble::act() {
    faceHero();
    // The timer runs in the air too, but the next move waits for the ground.
    if (!timerStep() || !onGround) return;
    if (state == 0) {
        puppet.setPose("data\\puppets\\bubble\\at0.pose");
        stateTimer = 100;
        state = 1;
        return;
    }
    puppet.setPose("data\\puppets\\bubble\\at1.pose");
    stateTimer = 10;
    state = 0;
    attackTimer = 20;
    puppet.push({dir() * 0.2f, 0.1f});
    const float scale = puppet.poseScale;
    popWord("Don", scale * 0.4f, {position.x + dir() * scale * 0.5f, position.y});
    SoundEffects::play("data\\sound\\don.wav");
}
