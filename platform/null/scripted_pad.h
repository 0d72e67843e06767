#pragma once
// A pad played from a replay script instead of the keyboard, with no joystick. Each call of
// heldKeys is one sampled frame: the first gives frame 0.

#include "platform/input_devices.h"
#include "replay_script.h"

#include <utility>

class ScriptedPad final : public PadDevice {
public:
    explicit ScriptedPad(ReplayScript script) : script_(std::move(script)) {}
    std::uint32_t heldKeys() override { return script_.keysAt(frame_++); }
    bool readJoystick(JoystickPosition&) override { return false; }
    std::uint64_t framesPlayed() const { return frame_; }

private:
    ReplayScript script_;
    std::uint64_t frame_ = 0;
};
