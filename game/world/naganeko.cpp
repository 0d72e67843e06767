#include "game/world/naganeko.h"

#include "game/world/figure_loading.h"

Naganeko::Naganeko() { loadFigure(*this, kModel, kPose); }

void Naganeko::act() {
    faceHero();
    if (!timerStep()) return;
    switch (state) {
        case 0:
            puppet.setPose(kPose);
            stateTimer = 20;
            state = 1;
            break;
        case 1: {
            // The wind-up already tells the player which strike is coming.
            const PuppetObject* target = hero();
            if (target && position.y + kHighHero < target->position.y) {
                puppet.setPose("data\\puppets\\naganeko\\at0.pose");
                state = 2;
            } else {
                puppet.setPose("data\\puppets\\naganeko\\at2.pose");
                state = 3;
            }
            stateTimer = 40;
            break;
        }
        case 2:
            puppet.setPose("data\\puppets\\naganeko\\at1.pose");
            stateTimer = 15;
            attackTimer = 15;
            state = 0;
            break;
        case 3:
            puppet.setPose("data\\puppets\\naganeko\\at3.pose");
            stateTimer = 15;
            attackTimer = 15;
            state = 0;
            puppet.push({dir() * 0.1f, 0.0f});
            break;
        default:
            state = 0;
            break;
    }
}
