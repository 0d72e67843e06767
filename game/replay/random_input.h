#pragma once
// The random player as the game's pad and mouse. The main loop reads the mouse first in each frame,
// so that reading asks the player for the next frame, with what it saw at the end of the last one.

#include "platform/input_devices.h"
#include "random_player.h"

#include <functional>
#include <utility>

class RandomInput final : public PadDevice, public PointerDevice {
public:
    RandomInput(RandomPlayer player, std::function<bool()> atTitle)
        : player_(std::move(player)), atTitle_(std::move(atTitle)) {}

    MouseState readMouse() override {
        frame_ = player_.next(atTitle_());
        ++frames_;
        return frame_.mouse;
    }
    std::uint32_t heldKeys() override { return frame_.keys; }
    bool readJoystick(JoystickPosition&) override { return false; }
    std::uint64_t framesPlayed() const { return frames_; }

private:
    RandomPlayer player_;
    std::function<bool()> atTitle_;
    ScriptFrame frame_;
    std::uint64_t frames_ = 0;
};
