#pragma once
// The SDL 2 backend of the platform layer: one object that starts SDL and provides the game's
// window with its GL context, the clock, the keyboard and joystick pad and the mouse.

#include "platform/clock.h"
#include "platform/game_window.h"
#include "platform/input_devices.h"

#include <memory>
#include <string>

class SdlPlatform {
public:
    SdlPlatform();
    ~SdlPlatform();
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // False when SDL could not start its video system (no display); everything still works as a
    // window that shows nothing.
    bool started() const;
    // Why SDL's video system did not start, or why the window or its GL context could not be made;
    // empty while all is well.
    std::string failure() const;
    // True when SDL found no display and fell back to drawing offscreen (or nowhere) without being
    // asked to through SDL_VIDEODRIVER: a window would open, but nobody could see it.
    bool unseen() const;

    // A message box with an OK button, over the game's window when it exists; returns once it is
    // closed. False when no box could be shown (no display, or a driver without message boxes).
    bool showMessage(const std::string& title, const std::string& text);

    GameWindow& window();
    Clock& clock();
    PadDevice& pad();
    PointerDevice& pointer();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};
