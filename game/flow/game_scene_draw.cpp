// One frame of the game scene: sky, stage, objects and meter under the continue prompt, the curtain
// over all of it, and at the title the mode menu over the curtain.

#include "game/flow/camera.h"
#include "game/flow/game_scene.h"
#include "game/flow/meter.h"

#include <GL/gl.h>

namespace {

struct Vertex {
    float x, y, s, t;
    float r, g, b, a;
};

void drawQuad(const Vertex (&vertices)[4]) {
    glBegin(GL_TRIANGLE_FAN);
    for (const Vertex& v : vertices) {
        glColor4f(v.r, v.g, v.b, v.a);
        glTexCoord2f(v.s, v.t);
        glVertex2f(v.x, v.y);
    }
    glEnd();
}

// The sky scrolls with the camera, one picture width per 20 units across and one height per 40 up,
// tinted blue along its top edge.
void drawSky(CameraPoint camera, Texture sky) {
    glEnable(GL_BLEND);
    setUpScreen();
    glDisable(GL_CULL_FACE);
    glBindTexture(GL_TEXTURE_2D, sky);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    const float s = camera.x * 0.05f;
    const float t = camera.y * 0.025f;
    drawQuad({{0, 0, s, t, 0.6f, 0.6f, 1.0f, 1.0f},
              {0, 480, s, t + 1, 1, 1, 1, 1},
              {640, 480, s + 1, t + 1, 1, 1, 1, 1},
              {640, 0, s + 1, t, 0.6f, 0.6f, 1.0f, 1.0f}});
}

// The lower half of the prompt picture holds both answers; a fade across it lights the chosen one.
void drawContinuePrompt(std::int32_t choice, Texture picture) {
    setUpScreen();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, picture);
    glEnable(GL_TEXTURE_2D);
    drawQuad({{0, 0, 0, 0, 1, 1, 1, 1},
              {0, 240, 0, 0.5f, 1, 1, 1, 1},
              {640, 240, 1, 0.5f, 1, 1, 1, 1},
              {640, 0, 1, 0, 1, 1, 1, 1}});
    const float left = choice == 1 ? 1.0f : 0.0f;
    const float right = 1.0f - left;
    drawQuad({{0, 240, 0, 0.5f, 1, 1, 1, left},
              {0, 480, 0, 1, 1, 1, 1, left},
              {640, 480, 1, 1, 1, 1, 1, right},
              {640, 240, 1, 0.5f, 1, 1, 1, right}});
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// The two menu items one above the other; a fade down the picture lights the chosen one.
void drawModeMenu(std::int32_t choice, Texture picture) {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, picture);
    glEnable(GL_TEXTURE_2D);
    const float top = choice == 0 ? 1.0f : 0.0f;
    const float bottom = 1.0f - top;
    drawQuad({{30, 240, 0, 0, 1, 1, 1, top},
              {30, 480, 0, 1, 1, 1, 1, bottom},
              {240, 480, 1, 1, 1, 1, 1, bottom},
              {240, 240, 1, 0, 1, 1, 1, top}});
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace

void GameScene::draw() {
    glViewport(0, 0, 640, 480);
    // Part drawing sets this blend function too; set here so the title's fades never depend on it.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (hero) {
        // The sky covers the whole picture, so only depth needs clearing.
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        const CameraPoint camera = cameraPoint(hero->position, ground.lineCount());
        drawSky(camera, skyTexture);

        setUpCamera(camera, cameraZ);
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_TRUE);
        ground.draw();

        glDisable(GL_LIGHTING);
        glDepthMask(GL_FALSE);
        for (const auto& sprite : backgroundSprites) sprite->draw(-6.25f + sprite->z, sprite->alpha);

        glDisable(GL_LIGHTING);
        glDepthMask(GL_FALSE);
        drawObjects(objects);

        glEnable(GL_BLEND);
        setUpScreen();
        drawMeter(hero->life, meterTexture, faceTexture);
    }

    if (continueState != 0 && continueDelay == 0 && endingCounter == 0) {
        drawContinuePrompt(continueState, continueTexture);
    }

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, curtainTexture);
    glEnable(GL_TEXTURE_2D);
    curtain.draw();

    if (menuState < 2) {
        setUpScreen();
        drawModeMenu(menuState, modeTexture);
    }
    glDepthMask(GL_TRUE);
}
