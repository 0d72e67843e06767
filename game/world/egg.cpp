#include "game/world/egg.h"

#include "game/world/figure_loading.h"
#include "game/world/pop_word.h"

#include <string>

namespace {
// Pose n of the rocking round, 0 to 6.
const char* const kRockPoses[] = {
    "data\\puppets\\egg\\0.pose", "data\\puppets\\egg\\1.pose", "data\\puppets\\egg\\2.pose",
    "data\\puppets\\egg\\3.pose", "data\\puppets\\egg\\4.pose", "data\\puppets\\egg\\5.pose",
    "data\\puppets\\egg\\6.pose",
};
constexpr std::int32_t kRockStates = 7;
}  // namespace

Egg::Egg() { loadFigure(*this, kModel, kPose); }

void Egg::act() {
    faceHero();
    if (hatchTimer < 0) {
        puppet.set(Puppet::posed, false);
        state = kRestState;
        stateTimer = kResting;
        hatchTimer = kActing;
    }
    --hatchTimer;
    if (!timerStep()) return;
    if (state == kRestState) {
        puppet.set(Puppet::posed, true);
        state = 0;
        return;
    }
    if (state < 0 || state >= kRockStates) {
        state = 0;
        return;
    }
    puppet.setPose(kRockPoses[state]);
    attackTimer = 4;
    stateTimer = 2;
    if (state == 0) popWord("Ora", puppet.poseScale * 0.4f, position);
    state = (state + 1) % kRockStates;
}
