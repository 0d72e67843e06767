#pragma once
// The mouse played from a replay script: each reading is the next frame's, the first frame 0. A
// script without pointer lines leaves it in the top-left corner, unpressed, wherever the real cursor
// happens to be.

#include "platform/input_devices.h"
#include "replay_script.h"

#include <utility>

class ScriptedPointer final : public PointerDevice {
public:
    explicit ScriptedPointer(ReplayScript script) : script_(std::move(script)) {}
    MouseState readMouse() override { return script_.frameAt(frame_++).mouse; }

private:
    ReplayScript script_;
    std::uint64_t frame_ = 0;
};
