#include "game/flow/stand_in_game_scene.h"

#include "game/flow/pad_press.h"
#include "game/graphics/texture_cache.h"
#include "game/shell/game_app.h"

#include <GL/gl.h>
#include <GL/glu.h>

std::unique_ptr<Scene> makeGameScene() { return std::make_unique<StandInGameScene>(); }

void StandInGameScene::enter() {
    curtain_ = Curtain();
    phase_ = Phase::title;
    ground_.load("data\\stage\\", "0.ground");
    if (TextureCache* cache = TextureCache::instance()) curtainTexture_ = cache->load("data\\title\\0.png");
}

void StandInGameScene::update() {
    curtain_.step();
    if (!newlyPressed(kConfirmButton)) return;
    switch (phase_) {
        case Phase::title:
            curtain_.lift();
            phase_ = Phase::playing;
            break;
        case Phase::playing:
            curtain_.drop();
            phase_ = Phase::ending;
            break;
        case Phase::ending:
            if (curtain_.isDown()) {
                if (GameApp* app = GameApp::instance()) app->popScene();
            }
            break;
    }
}

void StandInGameScene::draw() {
    glClearColor(0.45f, 0.65f, 0.95f, 1.0f);  // an open sky behind the stage
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, 640, 480);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.3333333333333333, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(5.0, 2.0, 8.0, 5.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    ground_.draw();
    glDisable(GL_DEPTH_TEST);

    glBindTexture(GL_TEXTURE_2D, curtainTexture_);
    glEnable(GL_TEXTURE_2D);
    curtain_.draw();
}
