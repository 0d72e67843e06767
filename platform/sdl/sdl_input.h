#pragma once
// Keyboard, mouse and joystick 0 on SDL 2, read by polling the state that the event pump keeps.

#include "platform/input_devices.h"

#include <SDL.h>

// Joystick 0 is the first stick SDL knows. It is opened at start and whenever a stick is plugged in
// while none is open, and closed when it is unplugged.
class SdlJoystick {
public:
    SdlJoystick();
    ~SdlJoystick();
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    void deviceAdded();
    void deviceRemoved(SDL_JoystickID instance);
    bool read(JoystickPosition& position);

private:
    void open();
    void close();
    SDL_Joystick* stick_ = nullptr;
};

class SdlPad final : public PadDevice {
public:
    explicit SdlPad(SdlJoystick& joystick) : joystick_(joystick) {}
    std::uint32_t heldKeys() override;
    bool readJoystick(JoystickPosition& position) override { return joystick_.read(position); }

private:
    SdlJoystick& joystick_;
};

class SdlWindow;

class SdlPointer final : public PointerDevice {
public:
    explicit SdlPointer(const SdlWindow& window) : window_(window) {}
    MouseState readMouse() override;

private:
    const SdlWindow& window_;
};
