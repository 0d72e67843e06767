#pragma once
// The game window on SDL 2: an OpenGL window with a compatibility-profile context, fullscreen by
// switching the display mode, and the event pump that also serves the joystick's hot-plugging.

#include "platform/game_window.h"

#include <SDL.h>

#include <string>

class SdlJoystick;

class SdlWindow final : public GameWindow {
public:
    explicit SdlWindow(SdlJoystick& joystick) : joystick_(joystick) {}
    ~SdlWindow() override;

    void create(const std::string& title) override;
    void setIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height) override;
    void desktopSize(std::int32_t& width, std::int32_t& height) override;
    bool showFullscreen(std::int32_t width, std::int32_t height) override;
    void showWindowed(std::int32_t width, std::int32_t height) override;
    void createGlContext() override;
    bool hasGlContext() const override { return context_ != nullptr; }
    void present() override;
    void destroyGlContext() override;
    void destroy() override;
    void pumpEvents(WindowEventHandler& handler) override;

    SDL_Window* handle() const { return window_; }
    // Why the window or its GL context could not be made, as SDL said it; empty while both exist.
    const std::string& failure() const { return failure_; }

private:
    SdlJoystick& joystick_;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    std::string failure_;
};
