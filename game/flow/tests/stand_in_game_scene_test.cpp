#include "game/flow/stand_in_game_scene.h"

#include "fake_machine.h"
#include "game/graphics/texture_cache.h"

#include <gtest/gtest.h>

TEST(StandInGameScene, PressesLiftThenDropTheCurtainAndThenEndTheScene) {
    TextureCache cache;
    cache.setHeadless(true);
    FakeMachine machine;
    GameApp app(machine.platform());
    auto made = makeGameScene();
    auto* scene = dynamic_cast<StandInGameScene*>(made.get());
    ASSERT_NE(scene, nullptr);
    app.pushScene(std::move(made));
    app.processSceneRequests();

    const auto frame = [&](std::uint32_t keys) {
        machine.pad.keys = keys;
        PadInput::instance()->sample();
        app.sceneStack().back()->update();
        app.processSceneRequests();
    };
    const auto tap = [&] {
        frame(kPadKeyZ);
        if (!app.sceneStack().empty()) frame(0);
    };

    frame(0);
    EXPECT_TRUE(scene->curtain().isDown());
    tap();
    EXPECT_FALSE(scene->curtain().isDown());
    for (int i = 0; i < 200 && !scene->curtain().isLifted(); ++i) frame(0);
    EXPECT_TRUE(scene->curtain().isLifted());

    tap();
    EXPECT_FALSE(scene->curtain().isLifted());
    tap();  // still falling: not yet the end
    EXPECT_EQ(app.sceneStack().size(), 1u);
    for (int i = 0; i < 200 && !scene->curtain().isDown(); ++i) frame(0);
    ASSERT_TRUE(scene->curtain().isDown());
    tap();
    EXPECT_TRUE(app.sceneStack().empty());
}
