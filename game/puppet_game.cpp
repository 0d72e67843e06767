#include "puppet_game.h"

#include "placeholder_scene.h"

int runPuppet(const GamePlatform& platform, const std::function<void(GameApp&)>& prepare) {
    GameApp app(platform);
    if (prepare) prepare(app);
    app.pushScene(std::make_unique<PlaceholderScene>());
    app.run();
    return 0;
}
