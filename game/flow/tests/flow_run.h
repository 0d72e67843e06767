#pragma once
// The game scene run frame by frame the way the main loop runs it, without drawing: sample the pad
// and the mouse, update the top scene, apply the scene requests. A plain scene lies under it, as the
// logo does, so that the game scene can pop itself. Textures are real GL textures when a headless
// context can be made, so that pictures can be told apart by name.

#include "fake_machine.h"
#include "flow_folder.h"
#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "platform/egl/headless_gl.h"

#include <string>
#include <vector>

// The game scene with its music and sound requests written down.
class ListenedGameScene final : public GameScene {
public:
    std::vector<std::string> music;
    std::vector<std::string> sounds;

protected:
    void playSound(const char* name) override { sounds.push_back(name); }
    void playMusic(const char* name) override { music.push_back(name); }
};

class BottomScene final : public Scene {};

inline HeadlessGl& sharedGl() {
    static HeadlessGl* gl = new HeadlessGl();  // one context for the whole test program
    return *gl;
}

// For tests that tell pictures apart by texture: without a GL context the cache falls back to
// headless, every picture is texture 0, and any comparison of two of them would hold.
#define ASSERT_REAL_TEXTURES(run)                                                                         \
    ASSERT_TRUE((run).texturesReal()) << "no OpenGL context (Mesa's surfaceless EGL): the texture cache " \
                                         "fell back to headless and every picture is texture 0"

class FlowRun {
public:
    FlowRun() { cache.setHeadless(!sharedGl().current()); }

    // Pushes the scene on top of the bottom one; entered at once, as after the logo's push.
    void start() {
        app.pushScene(std::make_unique<BottomScene>());
        auto made = std::make_unique<ListenedGameScene>();
        scene = made.get();
        app.pushScene(std::move(made));
        app.processSceneRequests();
    }
    void frame() {
        PointerInput::instance()->sample();
        PadInput::instance()->sample();
        app.sceneStack().back()->update();
        app.processSceneRequests();
        ++frames;
    }
    void run(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    // One frame with the keys held, then one with nothing held.
    void press(std::uint32_t keys) {
        machine.pad.keys = keys;
        frame();
        machine.pad.keys = 0;
        frame();
    }
    bool gameOnTop() const { return !app.sceneStack().empty() && app.sceneStack().back().get() == scene; }
    // Frames until the condition holds (checked after each frame), or -1 after limit frames.
    template <class Condition>
    int runUntil(Condition condition, int limit = 3000) {
        for (int i = 1; i <= limit; ++i) {
            frame();
            if (condition()) return i;
        }
        return -1;
    }
    bool texturesReal() const { return !cache.headless(); }

    FlowFolder folder;
    TextureCache cache;
    FakeMachine machine;
    GameApp app{machine.platform()};
    ListenedGameScene* scene = nullptr;
    int frames = 0;
};
