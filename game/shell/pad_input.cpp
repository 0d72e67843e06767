#include "game/shell/pad_input.h"

namespace {
PadInput* thePad = nullptr;
}

PadInput::PadInput(PadDevice& device) : device_(&device) { thePad = this; }

PadInput::~PadInput() {
    if (thePad == this) thePad = nullptr;
}

PadInput* PadInput::instance() { return thePad; }

void PadInput::sample() {
    const std::uint32_t keys = device_->heldKeys();
    JoystickPosition joystick;
    const bool hasJoystick = device_->readJoystick(joystick);
    history_.store(padRecord(keys, hasJoystick ? &joystick : nullptr));
}

float joystickAxis(std::uint32_t position, std::uint32_t min, std::uint32_t max) {
    const long double sum = static_cast<long double>(min) + static_cast<long double>(max);
    if (sum == 0) return 0.0f;
    return static_cast<float>(static_cast<long double>(position) / sum * 2 - 1);
}

InputRecord padRecord(std::uint32_t keys, const JoystickPosition* joystick) {
    InputRecord record;
    if (keys & kPadKeyLeft) {
        record.x = -1;
    } else if (keys & kPadKeyRight) {
        record.x = 1;
    } else if (joystick) {
        record.x = joystickAxis(joystick->x, joystick->ranges.xMin, joystick->ranges.xMax);
    }
    if (keys & kPadKeyDown) {
        record.y = -1;
    } else if (keys & kPadKeyUp) {
        record.y = 1;
    } else if (joystick) {
        // The stick's y grows downwards; the pad's up is positive.
        record.y = -joystickAxis(joystick->y, joystick->ranges.yMin, joystick->ranges.yMax);
    }
    if (joystick) record.z = joystickAxis(joystick->z, joystick->ranges.zMin, joystick->ranges.zMax);

    if (keys & kPadKeyZ) record.buttons |= 1;
    if (keys & kPadKeyX) record.buttons |= 2;
    if (keys & kPadKeyC) record.buttons |= 4;
    if (keys & kPadKeyV) record.buttons |= 8;
    if (joystick) record.buttons |= joystick->buttons & 0xF;
    return record;
}
