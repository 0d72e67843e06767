#pragma once
// Music and effects stop while the game is paused. The audio system, when there is one, says how; the
// application only says when.

#include <functional>

namespace sound_pause {
// owner identifies who attached, so that only it detaches; a later attach replaces an earlier one.
void attach(const void* owner, std::function<void(bool paused)> pause);
void detach(const void* owner);
void set(bool paused);
}  // namespace sound_pause
