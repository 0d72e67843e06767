#include "game/shell/sound_pause.h"

namespace {
const void* theOwner = nullptr;
std::function<void(bool)> thePause;
}  // namespace

void sound_pause::attach(const void* owner, std::function<void(bool paused)> pause) {
    theOwner = owner;
    thePause = std::move(pause);
}

void sound_pause::detach(const void* owner) {
    if (owner != theOwner) return;
    theOwner = nullptr;
    thePause = nullptr;
}

void sound_pause::set(bool paused) {
    if (thePause) thePause(paused);
}
