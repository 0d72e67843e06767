// The SDL window as a player meets it: the picture read back from the window scaled into a large
// window and into full screen, the pointer in picture pixels at any window size, and a game
// controller (SDL's virtual one) read by its labels, with Start and A reaching the window's handler.
// Needs a display (the test script provides Xvfb).
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_window.h"
#include "x11_window_geometry.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Colour = std::array<int, 3>;

// Fills the picture with four coloured corners of 8 x 8 pixels on grey, by scissored clears.
void drawCornerPicture() {
    glEnable(GL_SCISSOR_TEST);
    const struct {
        int x, y;
        Colour colour;
    } parts[] = {{0, 0, {128, 128, 128}},  {0, 472, {255, 0, 0}},   {632, 472, {0, 255, 0}},
                 {0, 0, {0, 0, 255}},      {632, 0, {255, 255, 0}}};  // GL rows: 472 is the top
    for (std::size_t i = 0; i < std::size(parts); ++i) {
        const int size = i == 0 ? 640 : 8;
        glScissor(parts[i].x, parts[i].y, size, i == 0 ? 480 : 8);
        glClearColor(parts[i].colour[0] / 255.0f, parts[i].colour[1] / 255.0f, parts[i].colour[2] / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

// What the window showed at its last present, read from its back buffer just before the swap.
class ShownPicture {
public:
    explicit ShownPicture(SdlWindow& window) : window_(window) {
        window.setComposedListener([this] { read(); });
    }
    ~ShownPicture() { window_.setComposedListener(nullptr); }
    // x, y from the top left.
    Colour at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return {-1, -1, -1};
        const std::uint8_t* p = &pixels_[(static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 4];
        return {p[0], p[1], p[2]};
    }

private:
    void read() {
        SDL_GL_GetDrawableSize(window_.handle(), &width_, &height_);
        pixels_.assign(static_cast<std::size_t>(width_) * height_ * 4, 0);
        GLint picture = 0;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &picture);
        auto bind = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
        bind(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());
        bind(GL_FRAMEBUFFER, static_cast<GLuint>(picture));
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    }
    SdlWindow& window_;
    int width_ = 0, height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

void settle(GameWindow& window) {
    class Ignore final : public WindowEventHandler {
        void closeRequested() override {}
        void keyPressed(WindowKey, bool) override {}
    } ignore;
    for (int i = 0; i < 20; ++i) {
        window.pumpEvents(ignore);
        SDL_Delay(10);
    }
}

const Colour kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0}, kBlack{0, 0, 0};

class KeyLog final : public WindowEventHandler {
public:
    void closeRequested() override {}
    void keyPressed(WindowKey key, bool) override { keys.push_back(key); }
    std::vector<WindowKey> keys;
};

}  // namespace

TEST(SdlPresentation, ThePictureFillsLargeWindowsAndTheFullScreen) {
    SdlPlatform sdl;
    ASSERT_TRUE(sdl.started()) << "no display for SDL (run the tests under xvfb-run, as scripts/test does)";
    auto& window = dynamic_cast<SdlWindow&>(sdl.window());
    window.create("presentation test");
    window.createGlContext();
    ASSERT_TRUE(window.hasGlContext());
    SDL_Window* handle = window.handle();
    ShownPicture shownPicture(window);
    auto windowPixel = [&shownPicture](SDL_Window*, int x, int y) { return shownPicture.at(x, y); };
    // A frame drawn and shown, twice: the GL drawable takes a new window size at the swap after the
    // change, the game's next frame.
    auto show = [&window] {
        for (int frame = 0; frame < 2; ++frame) {
            drawCornerPicture();
            window.present();
        }
    };

    // A 1280 x 960 window shows the picture twice as large: its corners are the picture's corners.
    window.showWindowed(1280, 960);
    settle(window);
    int width = 0, height = 0;
    SDL_GetWindowSize(handle, &width, &height);
    ASSERT_EQ(width, 1280);
    ASSERT_EQ(height, 960);
    show();
    EXPECT_EQ(windowPixel(handle, 2, 2), kRed);
    EXPECT_EQ(windowPixel(handle, 1277, 2), kGreen);
    EXPECT_EQ(windowPixel(handle, 2, 957), kBlue);
    EXPECT_EQ(windowPixel(handle, 1277, 957), kYellow);
    EXPECT_EQ(windowPixel(handle, 640, 480), (Colour{128, 128, 128}));

    // The pointer is read in picture pixels: the window's middle is the picture's middle.
    SDL_WarpMouseInWindow(handle, 640, 480);
    settle(window);
    MouseState mouse = sdl.pointer().readMouse();
    EXPECT_EQ(mouse.x, 320);
    EXPECT_EQ(mouse.y, 240);

    // Unscaled, the picture sits in the lower-left corner and the rest is black, not stale.
    window.setScaling(PictureScaling::kOff);
    show();
    EXPECT_EQ(windowPixel(handle, 2, 482), kRed);
    EXPECT_EQ(windowPixel(handle, 2, 957), kBlue);
    EXPECT_EQ(windowPixel(handle, 637, 957), kYellow);
    EXPECT_EQ(windowPixel(handle, 1000, 100), kBlack);
    EXPECT_EQ(windowPixel(handle, 10, 10), kBlack);
    mouse = sdl.pointer().readMouse();  // the pointer still at the window's middle
    EXPECT_EQ(mouse.x, 640);
    EXPECT_EQ(mouse.y, 0);
    window.setScaling(PictureScaling::kFit);

    // Full screen takes the desktop's own size with no mode change, and fills it the same way.
    SDL_SetWindowPosition(handle, 30, 40);
    settle(window);
    int placeX = 0, placeY = 0;
    SDL_GetWindowPosition(handle, &placeX, &placeY);
    SDL_DisplayMode before{};
    ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &before), 0);
    std::int32_t desktopWidth = 0, desktopHeight = 0;
    window.desktopSize(desktopWidth, desktopHeight);
    ASSERT_TRUE(window.showFullscreen());
    settle(window);
    SDL_GetWindowSize(handle, &width, &height);
    EXPECT_EQ(width, desktopWidth);
    EXPECT_EQ(height, desktopHeight);
    // As the X server has it too: without a window manager nobody else would resize the window.
    int realWidth = 0, realHeight = 0;
    if (x11WindowSize(handle, realWidth, realHeight)) {
        EXPECT_EQ(realWidth, desktopWidth);
        EXPECT_EQ(realHeight, desktopHeight);
    }
    EXPECT_NE(SDL_GetWindowFlags(handle) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    SDL_DisplayMode during{};
    ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &during), 0);
    EXPECT_EQ(during.w, before.w);
    EXPECT_EQ(during.h, before.h);
    show();
    const PictureRect shown = pictureRect(PictureScaling::kFit, width, height);
    EXPECT_EQ(windowPixel(handle, shown.x + 1, shown.y + 1), kRed);
    EXPECT_EQ(windowPixel(handle, shown.x + shown.width - 2, shown.y + shown.height - 2), kYellow);

    // Leaving full screen puts back the window's size and place.
    window.showWindowed(640, 480);
    settle(window);
    SDL_GetWindowSize(handle, &width, &height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 960);
    int afterX = 0, afterY = 0;
    SDL_GetWindowPosition(handle, &afterX, &afterY);
    EXPECT_EQ(afterX, placeX);
    EXPECT_EQ(afterY, placeY);

    // A picture kept: presenting again shows it again, now with the pause word in the middle.
    window.setPauseShown(true);
    window.present();
    EXPECT_EQ(windowPixel(handle, 2, 2), kRed);
    int lit = 0;
    for (int x = 400; x < 880; x += 4) lit += windowPixel(handle, x, 480) == Colour{255, 255, 255};
    EXPECT_GT(lit, 10) << "no white letters across the middle";
    window.destroyGlContext();
    window.destroy();
}

TEST(SdlPresentation, AMappedPadReadsByItsLabelsAndAnUnmappedStickStaysRaw) {
    SdlPlatform sdl;
    ASSERT_TRUE(sdl.started());
    GameWindow& window = sdl.window();
    window.create("controller test");
    KeyLog log;
    window.pumpEvents(log);

    const int pad = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                              SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(pad, 0) << SDL_GetError();
    window.pumpEvents(log);  // the hot-plug opens it
    ASSERT_TRUE(SDL_IsGameController(pad));
    SDL_Joystick* device = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(pad));
    ASSERT_NE(device, nullptr);

    JoystickPosition position;
    ASSERT_TRUE(sdl.pad().readJoystick(position));
    EXPECT_EQ(position.buttons, 0u);
    EXPECT_EQ(position.ranges.zMin + position.ranges.zMax, 0u);  // no throttle
    // B and Y are buttons 2 and 4; the d-pad pushes the stick all the way, over the left stick.
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_B, 1);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_Y, 1);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTY, -32768);
    window.pumpEvents(log);
    ASSERT_TRUE(sdl.pad().readJoystick(position));
    EXPECT_EQ(position.buttons, 2u | 8u);
    EXPECT_EQ(position.x, 0u);
    EXPECT_EQ(position.y, 0u);  // the stick pushed up: y grows downwards
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_B, 0);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_Y, 0);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_START, 1);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_A, 1);
    log.keys.clear();
    window.pumpEvents(log);
    ASSERT_TRUE(sdl.pad().readJoystick(position));
    EXPECT_EQ(position.buttons, 1u);
    std::sort(log.keys.begin(), log.keys.end());
    EXPECT_EQ(log.keys, (std::vector<WindowKey>{WindowKey::kPause, WindowKey::kConfirm}));

    // Unplugged: the keyboard alone. A stick without a mapping reads raw, buttons in driver order.
    SDL_JoystickDetachVirtual(pad);
    window.pumpEvents(log);
    EXPECT_FALSE(sdl.pad().readJoystick(position));
    const int stick = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 3, 6, 0);
    ASSERT_GE(stick, 0) << SDL_GetError();
    window.pumpEvents(log);
    SDL_Joystick* raw = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(stick));
    ASSERT_NE(raw, nullptr);
    if (SDL_IsGameController(stick)) GTEST_SKIP() << "this SDL maps even an unknown virtual stick";
    SDL_JoystickSetVirtualButton(raw, 5, 1);
    SDL_JoystickSetVirtualAxis(raw, 2, 32767);
    window.pumpEvents(log);
    ASSERT_TRUE(sdl.pad().readJoystick(position));
    EXPECT_EQ(position.buttons, 1u << 5);
    EXPECT_EQ(position.z, 65535u);
    SDL_JoystickDetachVirtual(stick);
    window.destroy();
}
