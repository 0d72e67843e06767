#pragma once
// What the input samplers read from the machine each frame. The pad device is the keyboard's arrow
// and Z X C V keys plus joystick 0, or a script in place of both; the pointer device is the mouse.

#include <cstdint>

// The keys of the pad, as bits of PadDevice::heldKeys.
enum PadKey : std::uint32_t {
    kPadKeyLeft = 1u << 0,
    kPadKeyRight = 1u << 1,
    kPadKeyUp = 1u << 2,
    kPadKeyDown = 1u << 3,
    kPadKeyZ = 1u << 4,
    kPadKeyX = 1u << 5,
    kPadKeyC = 1u << 6,
    kPadKeyV = 1u << 7,
};

// Axis ranges of a joystick, in the unsigned positions that JoystickPosition uses. An axis that the
// stick lacks has the range 0 ... 0.
struct JoystickRanges {
    std::uint32_t xMin = 0, xMax = 65535;
    std::uint32_t yMin = 0, yMax = 65535;
    std::uint32_t zMin = 0, zMax = 65535;
};

// One reading of joystick 0: unsigned axis positions (y grows downwards) within the stick's ranges,
// and its buttons, button 1 in bit 0. The ranges travel with each reading because a stick plugged
// in while the game runs may differ from the one before.
struct JoystickPosition {
    std::uint32_t x = 0, y = 0, z = 0;
    std::uint32_t buttons = 0;
    JoystickRanges ranges;
};

class PadDevice {
public:
    virtual ~PadDevice() = default;
    // The PadKey bits held at this moment. Called exactly once per sampled frame.
    virtual std::uint32_t heldKeys() = 0;
    // False when joystick 0 is absent or does not answer; position is then untouched.
    virtual bool readJoystick(JoystickPosition& position) = 0;
};

struct MouseState {
    std::int32_t x = 0, y = 0;  // client-area pixels from the top left; may lie outside the window
    bool left = false, right = false;
};

class PointerDevice {
public:
    virtual ~PointerDevice() = default;
    virtual MouseState readMouse() = 0;
};
