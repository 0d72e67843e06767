#pragma once
// The game pad: the arrow keys and Z, X, C, V merged with joystick 0, sampled once per frame.

#include "game/shell/input_record.h"
#include "platform/input_devices.h"

class PadInput {
public:
    explicit PadInput(PadDevice& device);
    ~PadInput();
    PadInput(const PadInput&) = delete;
    PadInput& operator=(const PadInput&) = delete;

    static PadInput* instance();

    void sample();
    const InputRecord& record(std::uint32_t age) const { return history_.record(age); }

    // The device behind the pad can change while the game runs (a scripted run, a test).
    void setDevice(PadDevice& device) { device_ = &device; }

private:
    PadDevice* device_;
    InputRing<InputRecord> history_;
};

// The pad sample for the given held PadKey bits and, when joystick is not null, a joystick reading.
// Keys win over the stick on each axis; Left wins over Right and Down over Up.
InputRecord padRecord(std::uint32_t keys, const JoystickPosition* joystick);

// A joystick position on its range as -1 ... +1: position / (min + max) * 2 - 1, computed at extended
// precision. A range whose ends sum to 0 (an axis the stick lacks) reads as 0.
float joystickAxis(std::uint32_t position, std::uint32_t min, std::uint32_t max);
