// The game on the real SDL platform as a player at a desktop meets it: a game controller's A starts the
// game from the logo, and a pause in the middle of a recorded run leaves its journal and its game
// state exactly as a run without the pause. Needs a display (Xvfb) and the built data set.
#include "game/flow/game_scene.h"
#include "game/flow/game_state_json.h"
#include "game/flow/logo_scene.h"
#include "game/graphics/texture_cache.h"
#include "game/replay/input_journal.h"
#include "game/shell/game_app.h"
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

TextureCache textureCache;

namespace {

namespace fs = std::filesystem;

// Works in the data set's folder for one test and goes back afterwards.
class InRunFolder {
public:
    InRunFolder() : before_(fs::current_path()) { fs::current_path(DOLVANE_RUN_DIR); }
    ~InRunFolder() { fs::current_path(before_); }

private:
    fs::path before_;
};

// A player's hands, as the journal probe has them: keys by the pad's own frame count, so a run that
// skips no sample gets the same input whatever happens around it.
class Hands final : public PadDevice, public PointerDevice {
public:
    std::uint32_t heldKeys() override {
        const std::uint64_t f = padFrame_++;
        std::uint32_t keys = 0;
        if (f == 5 || f == 11) keys |= kPadKeyZ;
        if (f >= 100 && f < 160) keys |= kPadKeyRight;
        if (f == 170 || f == 176) keys |= kPadKeyUp;
        if (f >= 200 && f < 230) keys |= kPadKeyX;
        return keys;
    }
    bool readJoystick(JoystickPosition&) override { return false; }
    MouseState readMouse() override {
        const std::int32_t f = static_cast<std::int32_t>(mouseFrame_++);
        MouseState mouse;
        mouse.x = 100 + f % 400;
        mouse.y = 50 + (f * 7) % 300;
        return mouse;
    }

private:
    std::uint64_t padFrame_ = 0, mouseFrame_ = 0;
};

void pushKey(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

struct Played {
    std::string journal;
    std::string state;
    int pausedFrames = 0;
};

// Plays `frames` frames from the logo with the hands; with pauseAt set, P is pressed after that frame
// and again after ten frames of pause.
Played play(SdlPlatform& sdl, std::uint64_t frames, int pauseAt) {
    std::srand(1);  // each run starts rand() afresh, as a new process does
    Hands hands;
    std::ostringstream journalText;
    InputJournal journal(hands, hands, journalText);
    Played played;
    {
        GameApp app({sdl.window(), sdl.clock(), journal, journal});
        app.setUnpaced();
        app.ignoreFocus();  // other tests' windows may take the shared display's focus
        app.pushScene(std::make_unique<LogoScene>());
        app.beginRun();
        while (app.frameNumber() < frames) {
            if (static_cast<int>(app.frameNumber()) == pauseAt && !app.paused() && played.pausedFrames == 0) {
                pushKey(SDLK_p);
            }
            if (app.paused() && ++played.pausedFrames == 10) pushKey(SDLK_p);
            const std::uint64_t before = app.frameNumber();
            const bool wasPaused = app.paused();
            EXPECT_TRUE(app.runFrame());
            // A paused loop counts no frame.
            if (wasPaused) {
                EXPECT_EQ(app.frameNumber(), before);
            }
        }
        played.state = gameStateJson(app.sceneStack().back().get(), frames);
    }
    journal.finish();
    played.journal = journalText.str();
    return played;
}

}  // namespace

TEST(DesktopPlay, AControllersAStartsTheGameFromTheLogo) {
    InRunFolder folder;
    SdlPlatform sdl;
    ASSERT_TRUE(sdl.started()) << "no display for SDL (run the tests under xvfb-run)";
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
    {
        GameApp app({sdl.window(), sdl.clock(), sdl.pad(), sdl.pointer()});
        app.setUnpaced();
        app.ignoreFocus();
        app.pushScene(std::make_unique<LogoScene>());
        app.beginRun();
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(app.runFrame());
        if (!pad) pad = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
        ASSERT_NE(pad, nullptr);
        EXPECT_EQ(GameScene::instance(), nullptr);
        // Start pauses the game; the logo waits and A (button 1) goes on.
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, 1);
        ASSERT_TRUE(app.runFrame());
        EXPECT_TRUE(app.paused());
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, 0);
        ASSERT_TRUE(app.runFrame());
        ASSERT_TRUE(app.runFrame());
        EXPECT_TRUE(app.paused());
        EXPECT_EQ(GameScene::instance(), nullptr);
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
        for (int i = 0; i < 3 && !GameScene::instance(); ++i) ASSERT_TRUE(app.runFrame());
        EXPECT_FALSE(app.paused());
        EXPECT_NE(GameScene::instance(), nullptr) << "A did not start the game";
        EXPECT_LT(app.frameNumber(), 10u);
    }
    SDL_JoystickDetachVirtual(device);
}

TEST(DesktopPlay, APauseLeavesTheJournalAndTheGameAsTheyWere) {
    InRunFolder folder;
    SdlPlatform sdl;
    ASSERT_TRUE(sdl.started()) << "no display for SDL (run the tests under xvfb-run)";
    const Played straight = play(sdl, 260, -1);
    const Played paused = play(sdl, 260, 120);
    EXPECT_EQ(straight.pausedFrames, 0);
    EXPECT_EQ(paused.pausedFrames, 10);
    EXPECT_NE(straight.journal.find("# 260 frames"), std::string::npos) << straight.journal;
    EXPECT_EQ(paused.journal, straight.journal);
    EXPECT_NE(straight.state.find("\"stageNumber\":1"), std::string::npos) << straight.state;
    EXPECT_EQ(paused.state, straight.state);
}
