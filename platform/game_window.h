#pragma once
// The game's one window with its OpenGL context, its display modes and its event queue.

#include <cstdint>
#include <string>

// Keys that the window itself acts on; everything else is game input, read by polling.
enum class WindowKey { kEscape, kF4, kOther };

class WindowEventHandler {
public:
    virtual ~WindowEventHandler() = default;
    // The close button, the desktop's close shortcut or a request from the system to end.
    virtual void closeRequested() = 0;
    virtual void keyPressed(WindowKey key, bool repeat) = 0;
};

class GameWindow {
public:
    virtual ~GameWindow() = default;

    // Makes the window, hidden, with its title. Keeps the screen saver off while the window lives.
    virtual void create(const std::string& title) = 0;
    // Width x height pixels, 4 bytes each (R, G, B, A), rows top first.
    virtual void setIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height) = 0;
    virtual void desktopSize(std::int32_t& width, std::int32_t& height) = 0;

    // Takes the whole screen in a width x height display mode and hides the cursor. Returns false,
    // changing nothing, when the display offers no mode of exactly that size.
    virtual bool showFullscreen(std::int32_t width, std::int32_t height) = 0;
    // A fixed-size window with a width x height client area, centred on the desktop, cursor shown;
    // the desktop's own display mode is restored first if it was changed.
    virtual void showWindowed(std::int32_t width, std::int32_t height) = 0;

    // Double-buffered RGB with depth, current on the calling thread until destroyGlContext.
    virtual void createGlContext() = 0;
    virtual bool hasGlContext() const = 0;
    virtual void present() = 0;
    virtual void destroyGlContext() = 0;
    virtual void destroy() = 0;

    // Hands every queued event to the handler. Also keeps the keyboard, mouse and joystick state
    // that the input devices read up to date.
    virtual void pumpEvents(WindowEventHandler& handler) = 0;
};
