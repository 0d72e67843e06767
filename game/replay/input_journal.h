#pragma once
// Real play written down as a replay script: the journal stands between the game's input samplers
// and the real pad and mouse, passes every reading through unchanged and writes one script line each
// time the frame's input changes. Replaying the journal reproduces the run, since the game depends
// only on its input and rand().
//
// A frame begins with its pointer reading (the main loop samples the mouse first, then the pad).
// Joystick buttons 1 to 4 are written as the keys Z X C V, which they are to the game.

#include "platform/input_devices.h"
#include "platform/null/replay_script.h"

#include <cstdint>
#include <optional>
#include <ostream>

class InputJournal final : public PadDevice, public PointerDevice {
public:
    InputJournal(PadDevice& pad, PointerDevice& pointer, std::ostream& out) : pad_(pad), pointer_(pointer), out_(out) {}
    ~InputJournal() override { finish(); }
    InputJournal(const InputJournal&) = delete;
    InputJournal& operator=(const InputJournal&) = delete;

    MouseState readMouse() override;
    std::uint32_t heldKeys() override;
    bool readJoystick(JoystickPosition& position) override;

    // Writes the line of the last frames and a closing comment with the number of frames. Further
    // readings are passed through but no longer written.
    void finish();
    std::uint64_t frames() const { return frames_; }
    bool failed() const { return !out_; }

private:
    void beginFrame();
    void endFrame();
    void writeSpan();

    PadDevice& pad_;
    PointerDevice& pointer_;
    std::ostream& out_;
    bool finished_ = false;
    std::optional<ScriptFrame> frame_;  // the frame being read
    std::optional<ScriptFrame> span_;   // input of the frames spanFirst_ ... frames_ - 1
    std::uint64_t spanFirst_ = 0;
    std::uint64_t frames_ = 0;
};
