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
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    // Many X servers offer no 32-bit depth visual; 24 bits is as good for this game.
    for (int depth : {32, 24, 16}) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kPictureWidth,
                                   kPictureHeight, flags);
        if (window_) break;
    }
    failure_ = window_ ? "" : std::string("no window: ") + SDL_GetError();
    if (window_) SDL_SetWindowMinimumSize(window_, kPictureWidth / 4, kPictureHeight / 4);
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

int SdlWindow::displayIndex() const {
    const int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    return display < 0 ? 0 : display;
}

void SdlWindow::desktopSize(std::int32_t& width, std::int32_t& height) {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(displayIndex(), &mode) == 0) {
        width = mode.w;
        height = mode.h;
    } else {
        width = kPictureWidth;
        height = kPictureHeight;
    }
}

void SdlWindow::usableDesktopSize(std::int32_t& width, std::int32_t& height) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(displayIndex(), &usable) == 0 && usable.w > 0 && usable.h > 0) {
        width = usable.w;
        height = usable.h;
    } else {
        desktopSize(width, height);
    }
}

bool SdlWindow::showFullscreen() {
    if (!window_) return false;
    if (!fullscreen_ && shown_) {
        // Kept to come back to when full screen ends.
        SDL_GetWindowPosition(window_, &windowedX_, &windowedY_);
        SDL_GetWindowSize(window_, &windowedWidth_, &windowedHeight_);
    }
    // A window first shown in full screen keeps its old size on a desktop without a window manager
    // (nobody acts on the request): it is shown first, and SDL then sizes it itself.
    if (!shown_) {
        SDL_ShowWindow(window_);
        shown_ = true;
    }
    // Without a window manager nobody acts on the full-screen request, so the window is first made
    // the screen's size and place by hand; a window manager then takes it from there.
    SDL_Rect screen{};
    if (SDL_GetDisplayBounds(displayIndex(), &screen) == 0) {
        SDL_SetWindowPosition(window_, screen.x, screen.y);
        SDL_SetWindowSize(window_, screen.w, screen.h);
    }
    // The desktop's own resolution: no display mode is ever changed.
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
    fullscreen_ = true;
    SDL_ShowCursor(SDL_DISABLE);
    SDL_ShowWindow(window_);
    shown_ = true;
    return true;
}

void SdlWindow::showWindowed(std::int32_t width, std::int32_t height) {
    if (!window_) return;
    if (fullscreen_ && windowedWidth_ > 0) {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
        SDL_SetWindowPosition(window_, windowedX_, windowedY_);
    } else {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, width, height);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    fullscreen_ = false;
    SDL_ShowCursor(SDL_ENABLE);
    SDL_ShowWindow(window_);
    shown_ = true;
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
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    picture_.create(width, height, scaling_);
}

PictureRect SdlWindow::pictureInWindow() const {
    int width = kPictureWidth, height = kPictureHeight;
    if (window_) SDL_GetWindowSize(window_, &width, &height);
    return pictureRect(scaling_, width, height);
}

void SdlWindow::present() {
    if (!window_ || !context_) return;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    picture_.showIn(width, height, scaling_, pauseShown_);
    if (composed_) composed_();
    SDL_GL_SwapWindow(window_);
}

void SdlWindow::destroyGlContext() {
    if (!context_) return;
    picture_.destroy();
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
}

void SdlWindow::destroy() {
    if (!window_) return;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    shown_ = fullscreen_ = false;
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
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) handler.focusChanged(true);
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) handler.focusChanged(false);
                break;
            case SDL_KEYDOWN: {
                const SDL_Keycode key = event.key.keysym.sym;
                const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
                const bool repeat = event.key.repeat != 0;
                // Without a window manager Alt+F4 arrives as a key: it still means close.
                if (alt && key == SDLK_F4) {
                    handler.closeRequested();
                } else if (!alt && key == SDLK_ESCAPE) {
                    handler.keyPressed(WindowKey::kEscape, repeat);
                } else if (!alt && key == SDLK_F4) {
                    handler.keyPressed(WindowKey::kF4, repeat);
                } else if (key == SDLK_p) {
                    handler.keyPressed(WindowKey::kPause, repeat);
                } else if (key == SDLK_z) {
                    handler.keyPressed(WindowKey::kConfirm, repeat);
                } else {
                    handler.keyPressed(WindowKey::kOther, repeat);
                }
                break;
            }
            case SDL_CONTROLLERBUTTONDOWN:
                if (event.cbutton.button == SDL_CONTROLLER_BUTTON_START) handler.keyPressed(WindowKey::kPause, false);
                if (event.cbutton.button == SDL_CONTROLLER_BUTTON_A) handler.keyPressed(WindowKey::kConfirm, false);
                break;
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
