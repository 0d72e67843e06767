#pragma once
// Keyboard, mouse and joystick 0 on SDL 2, read by polling the state that the event pump keeps.
// Joystick 0 is a game controller when SDL knows a mapping for it, a raw joystick otherwise.

#include "platform/input_devices.h"

#include <SDL.h>

// Joystick 0 is the first stick SDL knows. It is opened at start and whenever a stick is plugged in
// while none is open, and closed when it is unplugged. A pad with a known mapping reads by its
// labels: A, B, X, Y are buttons 1 to 4 and the d-pad and left stick are the stick, whatever order
// its driver numbers them in; any other stick reads raw, axes 0 to 2 and buttons in driver order.
class SdlJoystick {
public:
    SdlJoystick();
    ~SdlJoystick();
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    void deviceAdded();
    void deviceRemoved(SDL_JoystickID instance);
    bool read(JoystickPosition& position);
    bool isController() const { return controller_ != nullptr; }

private:
    void open();
    void close();
    bool readController(JoystickPosition& position);
    SDL_Joystick* stick_ = nullptr;
    SDL_GameController* controller_ = nullptr;  // set when stick_ is a mapped pad
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
