#include "game/world/knight.h"

#include "game/world/figure_loading.h"

namespace {
// The sword swing, one pose per state 0 to 3.
const char* const kSwingPoses[] = {
    "data\\puppets\\knight\\a0.pose",
    "data\\puppets\\knight\\a2.pose",
    "data\\puppets\\knight\\a1.pose",
    "data\\puppets\\knight\\a2.pose",
};
constexpr std::int32_t kSwingStates = 4;
constexpr std::int32_t kActionPause = 4;
}  // namespace

Knight::Knight() { loadFigure(*this, kModel, kPose); }

void Knight::act() {
    faceHero();
    if (++cycle > kCycleEnd) cycle = 0;
    if (!timerStep()) return;
    if (cycle >= kRestFrom) {
        rest();
    } else {
        fight();
    }
}

void Knight::rest() {
    if (state == 0) {
        puppet.setPose(kPose);
        state = 1;
    } else if (state == 1) {
        puppet.setPose("data\\puppets\\knight\\n0.pose");
        state = 0;
    } else {
        return;  // caught mid-swing: it waits for the march
    }
    stateTimer = kActionPause;
}

void Knight::fight() {
    if (onGround) push({dir() * 0.03f, 0.0f});
    attackTimer = 10;
    if (state < 0 || state >= kSwingStates) state = 0;
    puppet.setPose(kSwingPoses[state]);
    state = (state + 1) % kSwingStates;
    stateTimer = kActionPause;
}
