#include "game/world/clay.h"

#include "game/world/figure_loading.h"

Clay::Clay() { loadFigure(*this, kModel, kPose); }

void Clay::applyGravity(Vec2 g) { PuppetObject::applyGravity({g.x * 0.4f, g.y * 0.4f}); }

void Clay::act() {
    faceHero();
    if (!timerStep()) return;
    switch (state) {
        case 0:
            puppet.setPose("data\\puppets\\clay\\a0.pose");
            stateTimer = 30;
            state = 1;
            break;
        case 1:
            puppet.setPose("data\\puppets\\clay\\a1.pose");
            stateTimer = 2;
            attackTimer = 4;
            state = 2;
            break;
        case 2:
            puppet.setPose("data\\puppets\\clay\\a2.pose");
            stateTimer = 2;
            state = 3;
            break;
        case 3:
            puppet.setPose("data\\puppets\\clay\\a1.pose");
            stateTimer = 2;
            state = 4;
            break;
        default:
            puppet.setPose(kPose);
            stateTimer = 2;
            state = 0;
            break;
    }
}
