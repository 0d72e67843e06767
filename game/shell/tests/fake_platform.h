#pragma once
// A platform for driving GameApp in tests: a window that remembers what was asked of it, a clock
// that only moves when the game waits (or when a test moves it), and settable devices. Every call
// that matters to ordering is written to a shared log.

#include "game/shell/game_app.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct EventLog {
    std::vector<std::string> lines;
    void add(std::string line) { lines.push_back(std::move(line)); }
};

class FakeWindow final : public GameWindow {
public:
    explicit FakeWindow(EventLog& log) : log_(log) {}

    void create(const std::string& windowTitle) override {
        title = windowTitle;
        created = true;
    }
    void setIcon(const std::uint8_t*, std::int32_t width, std::int32_t height) override {
        iconWidth = width;
        iconHeight = height;
    }
    void desktopSize(std::int32_t& width, std::int32_t& height) override {
        width = desktopWidth;
        height = desktopHeight;
    }
    void usableDesktopSize(std::int32_t& width, std::int32_t& height) override {
        width = usableWidth;
        height = usableHeight;
    }
    void setScaling(PictureScaling pictureScaling) override { scaling = pictureScaling; }
    bool showFullscreen() override {
        log_.add("fullscreen");
        if (refusesFullscreen) return false;
        isFullscreen = true;
        return true;
    }
    void showWindowed(std::int32_t width, std::int32_t height) override {
        log_.add("windowed " + std::to_string(width) + "x" + std::to_string(height));
        isFullscreen = false;
        clientWidth = width;
        clientHeight = height;
    }
    void setPauseShown(bool shown) override { log_.add(shown ? "pause shown" : "pause hidden"); }
    void createGlContext() override { glContext = true; }
    bool hasGlContext() const override { return glContext; }
    void present() override { log_.add("present"); }
    void destroyGlContext() override {
        if (glContext) log_.add("gl destroyed");
        glContext = false;
    }
    void destroy() override {
        log_.add("window destroyed");
        created = false;
    }
    void pumpEvents(WindowEventHandler& handler) override {
        ++pumps;
        while (!pending.empty()) {
            auto event = std::move(pending.front());
            pending.pop_front();
            event(handler);
        }
    }

    // Events delivered by the next pump.
    std::deque<std::function<void(WindowEventHandler&)>> pending;
    std::string title;
    bool created = false;
    bool glContext = false;
    bool isFullscreen = false;
    std::int32_t clientWidth = 0, clientHeight = 0;
    std::int32_t iconWidth = 0, iconHeight = 0;
    std::int32_t desktopWidth = 1920, desktopHeight = 1080;
    std::int32_t usableWidth = 1920, usableHeight = 1040;  // less a panel
    bool refusesFullscreen = false;
    PictureScaling scaling = PictureScaling::kOff;  // until the game says
    int pumps = 0;

private:
    EventLog& log_;
};

class FakeClock final : public Clock {
public:
    std::uint32_t ticks() override { return now; }
    void sleep(std::uint32_t milliseconds) override {
        now += milliseconds;
        slept += milliseconds;
    }
    void yield() override {
        now += yieldStep;
        ++yields;
    }
    void nap() override {
        now += yieldStep;
        ++naps;
    }

    std::uint32_t now = 0;
    std::uint32_t yieldStep = 1;  // what a yield or a nap takes
    std::uint64_t slept = 0;
    int yields = 0;
    int naps = 0;
};

class FakePad final : public PadDevice {
public:
    explicit FakePad(EventLog* log = nullptr) : log_(log) {}
    std::uint32_t heldKeys() override {
        if (log_) log_->add("input");
        return keys;
    }
    bool readJoystick(JoystickPosition& position) override {
        if (!joystickPlugged) return false;
        position = joystick;
        return true;
    }

    std::uint32_t keys = 0;
    bool joystickPlugged = false;
    JoystickPosition joystick;

private:
    EventLog* log_;
};

class FakePointer final : public PointerDevice {
public:
    MouseState readMouse() override { return mouse; }
    MouseState mouse;
};

// Everything a GameApp needs, made in one go.
struct FakeMachine {
    EventLog log;
    FakeWindow window{log};
    FakeClock clock;
    FakePad pad{&log};
    FakePointer pointer;
    GamePlatform platform() { return {window, clock, pad, pointer}; }
};
