#pragma once
// The game's one window with its OpenGL context, its full screen and its event queue. The game draws
// every frame into a picture of kPictureWidth x kPictureHeight pixels; the window shows that picture
// as its presentation setting says.

#include "platform/picture_layout.h"

#include <cstdint>
#include <string>

// Keys and buttons that the window itself acts on; everything else is game input, read by polling.
// kPause is the P key or a game controller's Start; kConfirm the Z key or a controller's A (both may
// end a pause).
enum class WindowKey { kEscape, kF4, kPause, kConfirm, kOther };

class WindowEventHandler {
public:
    virtual ~WindowEventHandler() = default;
    // The close button, the desktop's close shortcut or a request from the system to end.
    virtual void closeRequested() = 0;
    virtual void keyPressed(WindowKey key, bool repeat) = 0;
    // The window gained or lost the keyboard focus.
    virtual void focusChanged(bool focused) { (void)focused; }
};

class GameWindow {
public:
    virtual ~GameWindow() = default;

    // Makes the window, hidden and resizable, with its title. Keeps the screen saver off while the
    // window lives.
    virtual void create(const std::string& title) = 0;
    // Width x height pixels, 4 bytes each (R, G, B, A), rows top first.
    virtual void setIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height) = 0;
    virtual void desktopSize(std::int32_t& width, std::int32_t& height) = 0;
    // The part of the desktop a window may take: the screen less its panels and docks.
    virtual void usableDesktopSize(std::int32_t& width, std::int32_t& height) { desktopSize(width, height); }
    virtual void setScaling(PictureScaling scaling) { (void)scaling; }

    // Takes the whole screen at the desktop's own resolution, without changing the display mode, and
    // hides the cursor. False, changing nothing, when the desktop refuses.
    virtual bool showFullscreen() = 0;
    // The first call opens a window with a width x height client area, centred on the desktop; after
    // full screen it puts back the size and place the window had before. Cursor shown.
    virtual void showWindowed(std::int32_t width, std::int32_t height) = 0;

    // Double-buffered RGB with depth, current on the calling thread until destroyGlContext. Drawing
    // goes into the picture, not straight into the window.
    virtual void createGlContext() = 0;
    virtual bool hasGlContext() const = 0;
    // Shows the picture drawn since the last call in the window, with the word "PAUSE" over it while
    // a pause is shown; the picture itself is kept, so presenting again shows it again.
    virtual void present() = 0;
    virtual void setPauseShown(bool shown) { (void)shown; }
    virtual void destroyGlContext() = 0;
    virtual void destroy() = 0;

    // Hands every queued event to the handler. Also keeps the keyboard, mouse and joystick state
    // that the input devices read up to date.
    virtual void pumpEvents(WindowEventHandler& handler) = 0;
};
