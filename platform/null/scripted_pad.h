#pragma once
// A pad played from a replay script instead of the keyboard and joystick. Each call of heldKeys is one
// sampled frame: the first gives frame 0; readJoystick then reads the joystick of that frame.

#include "platform/input_devices.h"
#include "replay_script.h"

#include <utility>

class ScriptedPad final : public PadDevice {
public:
    explicit ScriptedPad(ReplayScript script) : script_(std::move(script)) {}
    std::uint32_t heldKeys() override {
        current_ = script_.frameAt(frame_++);
        return current_.keys;
    }
    bool readJoystick(JoystickPosition& position) override {
        if (!current_.joystickPresent) return false;
        position = current_.joystick;
        return true;
    }
    std::uint64_t framesPlayed() const { return frame_; }

private:
    ReplayScript script_;
    std::uint64_t frame_ = 0;
    ScriptFrame current_;
};
