#include "game/world/mask.h"

#include "game/world/figure_loading.h"

Mask::Mask() { loadFigure(*this, kModel, kPose); }

void Mask::act() {
    faceHero();
    creep();
    if (!timerStep()) return;
    switch (state) {
        case 0:
            puppet.setPose(kPose);
            stateTimer = 20;
            state = 1;
            break;
        case 1:
            puppet.setPose("data\\puppets\\mask\\w0.pose");
            attackTimer = 50;
            stateTimer = 60;
            state = 2;
            break;
        case 2:
            // The lunge needs footing; in the air it waits, ready, for the ground.
            if (!onGround) break;
            puppet.setPose("data\\puppets\\mask\\w1.pose");
            puppet.push({dir() * 0.2f, 0.1f});
            attackTimer = 100;
            stateTimer = 40;
            state = 0;
            break;
        default:
            state = 0;
            break;
    }
}
