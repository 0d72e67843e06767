#include "sdl_window.h"

#include "sdl_input.h"

SdlWindow::~SdlWindow() {
    destroyGlContext();
    destroy();
}

void SdlWindow::create(const std::string& title) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    // Many X servers offer no 32-bit depth visual; 24 bits is as good for this game.
    for (int depth : {32, 24, 16}) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                   flags);
        if (window_) break;
    }
    failure_ = window_ ? "" : std::string("no window: ") + SDL_GetError();
    SDL_DisableScreenSaver();
}

void SdlWindow::setIcon(const std::uint8_t* rgba, std::int32_t width, std::int32_t height) {
    if (!window_ || !rgba || width <= 0 || height <= 0) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba), width, height,
                                                              32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void SdlWindow::desktopSize(std::int32_t& width, std::int32_t& height) {
    SDL_DisplayMode mode{};
    const int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0) {
        width = mode.w;
        height = mode.h;
    } else {
        width = 640;
        height = 480;
    }
}

bool SdlWindow::showFullscreen(std::int32_t width, std::int32_t height) {
    if (!window_) return false;
    const int display = SDL_GetWindowDisplayIndex(window_);
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode closest{};
    // Only width and height are asked for: depth and refresh stay whatever the display likes.
    if (!SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest)) return false;
    if (closest.w != width || closest.h != height) return false;
    if (SDL_SetWindowDisplayMode(window_, &closest) != 0) return false;
    SDL_SetWindowSize(window_, width, height);
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) return false;
    SDL_ShowCursor(SDL_DISABLE);
    SDL_ShowWindow(window_);
    return true;
}

void SdlWindow::showWindowed(std::int32_t width, std::int32_t height) {
    if (!window_) return;
    // Leaving fullscreen puts the desktop's display mode back.
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowResizable(window_, SDL_FALSE);
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    SDL_ShowCursor(SDL_ENABLE);
    SDL_ShowWindow(window_);
}

void SdlWindow::createGlContext() {
    if (!window_ || context_) return;
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        failure_ = std::string("no OpenGL context: ") + SDL_GetError();
        return;
    }
    SDL_GL_MakeCurrent(window_, context_);
    // The loop paces itself; a display that refuses (Xvfb does) is fine.
    SDL_GL_SetSwapInterval(0);
}

void SdlWindow::present() {
    if (window_ && context_) SDL_GL_SwapWindow(window_);
}

void SdlWindow::destroyGlContext() {
    if (!context_) return;
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
}

void SdlWindow::destroy() {
    if (!window_) return;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    SDL_EnableScreenSaver();
}

void SdlWindow::pumpEvents(WindowEventHandler& handler) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_QUIT:
                handler.closeRequested();
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) handler.closeRequested();
                break;
            case SDL_KEYDOWN: {
                const SDL_Keycode key = event.key.keysym.sym;
                const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
                // Without a window manager Alt+F4 arrives as a key: it still means close.
                if (alt && key == SDLK_F4) {
                    handler.closeRequested();
                } else if (!alt && key == SDLK_ESCAPE) {
                    handler.keyPressed(WindowKey::kEscape, event.key.repeat != 0);
                } else if (!alt && key == SDLK_F4) {
                    handler.keyPressed(WindowKey::kF4, event.key.repeat != 0);
                } else {
                    handler.keyPressed(WindowKey::kOther, event.key.repeat != 0);
                }
                break;
            }
            case SDL_JOYDEVICEADDED:
                joystick_.deviceAdded();
                break;
            case SDL_JOYDEVICEREMOVED:
                joystick_.deviceRemoved(event.jdevice.which);
                break;
            default:
                break;
        }
    }
}
