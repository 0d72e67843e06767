#include "puppet_game.h"

#include "game/flow/logo_scene.h"

int runPuppet(const GamePlatform& platform, const std::function<void(GameApp&)>& prepare) {
    GameApp app(platform);
    if (!platform.window.hasGlContext()) return kPuppetNoWindow;
    if (prepare) prepare(app);
    app.pushScene(std::make_unique<LogoScene>());
    app.run();
    return 0;
}
