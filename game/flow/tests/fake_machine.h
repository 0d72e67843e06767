#pragma once
// Just enough of a machine for a GameApp without a window: nothing is shown, time stands still, and
// the pad holds whatever the test sets.

#include "game/shell/game_app.h"

class QuietWindow final : public GameWindow {
public:
    void create(const std::string&) override {}
    void setIcon(const std::uint8_t*, std::int32_t, std::int32_t) override {}
    void desktopSize(std::int32_t& width, std::int32_t& height) override {
        width = 1024;
        height = 768;
    }
    bool showFullscreen() override { return false; }
    void showWindowed(std::int32_t, std::int32_t) override {}
    void createGlContext() override {}
    bool hasGlContext() const override { return false; }
    void present() override {}
    void destroyGlContext() override {}
    void destroy() override {}
    void pumpEvents(WindowEventHandler&) override {}
};

class StillClock final : public Clock {
public:
    std::uint32_t ticks() override { return now += 20; }
    void sleep(std::uint32_t) override {}
    void yield() override {}

private:
    std::uint32_t now = 0;
};

class HeldPad final : public PadDevice {
public:
    std::uint32_t heldKeys() override { return keys; }
    bool readJoystick(JoystickPosition&) override { return false; }
    std::uint32_t keys = 0;
};

// A mouse that stays where the test puts it, with whatever buttons the test holds.
class StillPointer final : public PointerDevice {
public:
    MouseState readMouse() override { return mouse; }
    MouseState mouse;
};

struct FakeMachine {
    QuietWindow window;
    StillClock clock;
    HeldPad pad;
    StillPointer pointer;
    GamePlatform platform() { return {window, clock, pad, pointer}; }
};
