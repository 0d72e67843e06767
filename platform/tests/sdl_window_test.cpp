// The SDL window: full screen, the keys the window acts on and closing. Needs a
// display (the test script provides Xvfb); without one it fails.
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingHandler final : public WindowEventHandler {
public:
    void closeRequested() override { seen.push_back("close"); }
    void keyPressed(WindowKey key, bool repeat) override {
        const char* name = key == WindowKey::kEscape   ? "escape"
                           : key == WindowKey::kF4     ? "f4"
                           : key == WindowKey::kPause  ? "pause"
                           : key == WindowKey::kConfirm ? "confirm"
                                                        : "other";
        seen.push_back(std::string(name) + (repeat ? " repeat" : ""));
    }
    std::vector<std::string> seen;
};

void pushKey(SDL_Keycode key, Uint16 modifiers, bool repeat) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    event.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&event);
}

}  // namespace

TEST(SdlWindow, ModesKeysAndClosing) {
    SdlPlatform sdl;
    ASSERT_TRUE(sdl.started()) << "no display for SDL (run the tests under xvfb-run, as scripts/test does)";
    GameWindow& window = sdl.window();
    window.create("SDL window test");
    window.createGlContext();
    EXPECT_TRUE(window.hasGlContext());
    std::int32_t width = 0, height = 0;
    window.desktopSize(width, height);
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);

    // Full screen is the desktop's own, whatever size the window had.
    window.showWindowed(320, 200);
    EXPECT_TRUE(window.showFullscreen());
    window.showWindowed(320, 200);

    const std::uint8_t icon[2 * 2 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 0, 0, 0, 0};
    window.setIcon(icon, 2, 2);
    window.present();

    RecordingHandler handler;
    window.pumpEvents(handler);
    handler.seen.clear();
    pushKey(SDLK_ESCAPE, KMOD_NONE, false);
    pushKey(SDLK_F4, KMOD_NONE, false);
    pushKey(SDLK_F4, KMOD_NONE, true);
    pushKey(SDLK_F4, KMOD_LALT, false);  // the desktop's close shortcut
    pushKey(SDLK_a, KMOD_NONE, false);
    pushKey(SDLK_p, KMOD_NONE, false);
    pushKey(SDLK_z, KMOD_NONE, false);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    window.pumpEvents(handler);
    const std::vector<std::string> expected = {"escape", "f4", "f4 repeat", "close", "other", "pause", "confirm", "close"};
    EXPECT_EQ(handler.seen, expected);

    JoystickPosition position;
    position.x = 123;
    if (SDL_NumJoysticks() == 0) {
        EXPECT_FALSE(sdl.pad().readJoystick(position));  // unplugged: the keyboard alone
        EXPECT_EQ(position.x, 123u);
    }
    EXPECT_EQ(sdl.pad().heldKeys(), 0u);
    window.destroyGlContext();
    EXPECT_FALSE(window.hasGlContext());
    window.destroy();
    sdl.clock().yield();
    const std::uint32_t before = sdl.clock().ticks();
    sdl.clock().sleep(5);
    EXPECT_GE(sdl.clock().ticks() - before, 5u);
}
