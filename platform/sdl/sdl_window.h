#pragma once
// The game window on SDL 2: a resizable OpenGL window with a compatibility-profile context that shows
// the game's picture scaled, full screen at the desktop's own resolution, and the event pump that
// also serves the joystick's hot-plugging and the focus.

#include "platform/game_window.h"
#include "sdl_picture.h"

#include <SDL.h>

#include <functional>
#include <string>

class SdlJoystick;

class SdlWindow final : public GameWindow {
public:
    explicit SdlWindow(SdlJoystick& joystick) : joystick_(joystick) {}
    ~SdlWindow() override;

    void create(const std::string& title) override;
    void setIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height) override;
    void desktopSize(std::int32_t& width, std::int32_t& height) override;
    void usableDesktopSize(std::int32_t& width, std::int32_t& height) override;
    void setScaling(PictureScaling scaling) override { scaling_ = scaling; }
    bool showFullscreen() override;
    void showWindowed(std::int32_t width, std::int32_t height) override;
    void createGlContext() override;
    bool hasGlContext() const override { return context_ != nullptr; }
    void present() override;
    void setPauseShown(bool shown) override { pauseShown_ = shown; }
    void destroyGlContext() override;
    void destroy() override;
    void pumpEvents(WindowEventHandler& handler) override;

    SDL_Window* handle() const { return window_; }
    // Why the window or its GL context could not be made, as SDL said it; empty while both exist.
    const std::string& failure() const { return failure_; }
    // Where the picture lies in the window, in the window's own units (those of mouse positions).
    PictureRect pictureInWindow() const;
    // Called by present once the window's back buffer holds what it is about to show, before the
    // swap: the one moment the shown pixels can be read back (after it they are undefined).
    void setComposedListener(std::function<void()> listener) { composed_ = std::move(listener); }

private:
    int displayIndex() const;

    SdlJoystick& joystick_;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    SdlPicture picture_;
    PictureScaling scaling_ = PictureScaling::kFit;
    bool pauseShown_ = false;
    bool shown_ = false;
    bool fullscreen_ = false;
    int windowedX_ = 0, windowedY_ = 0, windowedWidth_ = 0, windowedHeight_ = 0;
    std::string failure_;
    std::function<void()> composed_;
};
