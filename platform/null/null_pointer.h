#pragma once
// A mouse that never moves from the top-left corner and is never pressed: scripted runs must not
// depend on where the real cursor happens to be.

#include "platform/input_devices.h"

class NullPointer final : public PointerDevice {
public:
    MouseState readMouse() override { return MouseState{}; }
};
