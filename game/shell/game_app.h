#pragma once
// The one application object: it opens the window and its GL context, owns the input samplers and
// the stack of scenes, runs the paced main loop and takes everything down again in order.

#include "game/shell/frame_listener.h"
#include "game/shell/pad_input.h"
#include "game/shell/pointer_input.h"
#include "platform/clock.h"
#include "platform/game_window.h"
#include "platform/input_devices.h"
#include "game/shell/scene.h"

#include <cstdint>
#include <deque>
#include <memory>

// What the application needs from the machine. The pad device may be the real keyboard and joystick
// or a script.
struct GamePlatform {
    GameWindow& window;
    Clock& clock;
    PadDevice& pad;
    PointerDevice& pointer;
};

class GameApp final : private WindowEventHandler {
public:
    // Opens the window as config\window.txt says (title, icon, size, scaling, full screen) and the GL
    // context.
    explicit GameApp(const GamePlatform& platform);
    ~GameApp() override;
    GameApp(const GameApp&) = delete;
    GameApp& operator=(const GameApp&) = delete;

    static GameApp* instance();

    // Ownership passes to the application; the stack changes only when the requests are processed,
    // after the frame's draw.
    void pushScene(std::unique_ptr<Scene> scene);
    void popScene();
    void processSceneRequests();

    // Runs frames until quit is requested or the last scene is gone. Pacing follows config\speed.txt
    // unless it was turned off.
    void run();
    // The pieces of run, for drivers that step the loop themselves: begin once, then one frame per
    // call until it returns false.
    void beginRun();
    bool runFrame();

    void toggleFullscreen();
    void requestQuit() { quitRequested_ = true; }
    // While paused the game neither samples input nor updates nor draws: the last picture stays with
    // "PAUSE" over it, sound stops, and no frame is counted. P, Start or losing the focus pauses.
    void setPaused(bool paused);
    bool paused() const { return paused_; }
    // Driven runs (a script, random input) play on whatever the window does.
    void neverPause() { pausable_ = false; }
    // Programs that stand in for a player on a shared display pause by keys alone.
    void ignoreFocus() { focusPauses_ = false; }
    // Unpaced runs go as fast as the scene allows, whatever config\speed.txt says.
    void setUnpaced() { forceUnpaced_ = true; }
    void setFrameListener(FrameListener* listener) { listener_ = listener; }

    bool ready() const { return ready_; }
    bool quitRequested() const { return quitRequested_; }
    bool fullscreen() const { return fullscreen_; }
    bool paced() const { return !noWait_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::int32_t desktopWidth() const { return desktopWidth_; }
    std::int32_t desktopHeight() const { return desktopHeight_; }
    std::uint64_t frameNumber() const { return frameNumber_; }
    const std::deque<std::unique_ptr<Scene>>& sceneStack() const { return sceneStack_; }
    const std::deque<std::unique_ptr<Scene>>& sceneRequests() const { return sceneRequests_; }

private:
    void createWindow();
    void pumpMessages();
    void pace(std::uint32_t frameStart);
    void endFrame();

    void closeRequested() override;
    void keyPressed(WindowKey key, bool repeat) override;
    void focusChanged(bool focused) override;

    GamePlatform platform_;
    std::deque<std::unique_ptr<Scene>> sceneStack_;     // back is the top
    std::deque<std::unique_ptr<Scene>> sceneRequests_;  // first in, first out; null means pop
    bool ready_ = false;
    bool quitRequested_ = false;
    std::unique_ptr<PointerInput> pointerInput_;
    std::unique_ptr<PadInput> padInput_;
    bool fullscreen_ = false;
    std::int32_t width_ = 640;
    std::int32_t height_ = 480;
    std::int32_t desktopWidth_ = 0;
    std::int32_t desktopHeight_ = 0;
    bool paused_ = false;
    bool pausable_ = true;
    bool focusPauses_ = true;
    bool hadFocus_ = false;  // a window that never had the focus does not pause for lacking it

    bool noWait_ = false;
    bool forceUnpaced_ = false;
    FrameListener* listener_ = nullptr;
    std::uint64_t frameNumber_ = 0;
};
