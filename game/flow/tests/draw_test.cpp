// Drawing of the game scene, read back from an offscreen framebuffer: the meter's bar and face, the
// continue prompt, and the camera the mouse aid unprojects through.

#define GL_GLEXT_PROTOTYPES 1
#include "flow_run.h"
#include "game/flow/camera.h"
#include "game/flow/meter.h"
#include "game/graphics/png_writer.h"
#include "game/graphics/screen_capture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr const char* kNoGl = "no OpenGL context with a framebuffer (Mesa's surfaceless EGL)";

// A 640 x 480 colour and depth target for the shared headless context.
class Target {
public:
    Target() {
        if (!sharedGl().current()) return;
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glGenRenderbuffers(2, buffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 640, 480);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, 640, 480);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers_[1]);
        ready_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    ~Target() {
        if (!framebuffer_) return;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, buffers_);
        glDeleteFramebuffers(1, &framebuffer_);
    }
    bool ready() const { return ready_; }
    Image shot() const {
        glFinish();
        return captureScreen(640, 480);
    }

private:
    GLuint framebuffer_ = 0;
    GLuint buffers_[2] = {0, 0};
    bool ready_ = false;
};

struct Rgb {
    int r, g, b;
};

Rgb at(const Image& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + 4 * x;
    return {p[0], p[1], p[2]};
}

bool near(Rgb c, Rgb want, int tolerance = 8) {
    return std::abs(c.r - want.r) <= tolerance && std::abs(c.g - want.g) <= tolerance &&
           std::abs(c.b - want.b) <= tolerance;
}

// The four faces of the sheet, each a flat colour: top left, top right, bottom left, bottom right.
const Rgb kFaces[4] = {{0, 200, 0}, {0, 0, 220}, {230, 230, 0}, {200, 0, 200}};

// A picture of 2 x 2 blocks of 8 pixels, for data\etc\face.png.
Image faceSheet() {
    Image image(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Rgb c = kFaces[(y / 8) * 2 + x / 8];
            std::uint8_t* p = image.row(y) + 4 * x;
            p[0] = static_cast<std::uint8_t>(c.r);
            p[1] = static_cast<std::uint8_t>(c.g);
            p[2] = static_cast<std::uint8_t>(c.b);
            p[3] = 255;
        }
    }
    return image;
}

// The last column of the red bar on the bar's middle row, or -1 when there is none.
int barEnd(const Image& image) {
    int end = -1;
    for (int x = 110; x < 360; ++x) {
        const Rgb c = at(image, x, 66);
        if (c.r > 100 && c.g < 40 && c.b < 40) end = x;
    }
    return end;
}

// Which face shows in the middle of the face square, or -1.
int faceShown(const Image& image) {
    for (int i = 0; i < 4; ++i) {
        if (near(at(image, 74, 54), kFaces[i], 12)) return i;
    }
    return -1;
}

}  // namespace

TEST(CameraPoint, FollowsTheHeroWithinTheStageAndTheHeightBand) {
    EXPECT_FLOAT_EQ(cameraPoint({2.0f, 4.0f}, 300).x, 5.0f);
    EXPECT_FLOAT_EQ(cameraPoint({299.0f, 4.0f}, 300).x, 295.0f);
    EXPECT_FLOAT_EQ(cameraPoint({150.0f, 4.0f}, 300).x, 150.0f);
    EXPECT_FLOAT_EQ(cameraPoint({150.0f, 12.0f}, 300).y, 8.0f);
    EXPECT_FLOAT_EQ(cameraPoint({150.0f, -3.0f}, 300).y, 1.0f);
    EXPECT_FLOAT_EQ(cameraPoint({150.0f, 4.5f}, 300).y, 4.5f);
    EXPECT_FLOAT_EQ(cameraPoint({2.0f, 4.0f}, 8).x, 3.0f) << "on a short stage the right end wins";
    EXPECT_FLOAT_EQ(cameraPoint({2.0f, 4.0f}, 4).x, 5.0f) << "below 5 lines only the left end holds";
}

TEST(CameraPoint, TheMouseAidUnprojectsThroughTheSameCameraAsTheDrawing) {
    Target target;
    ASSERT_TRUE(target.ready()) << kNoGl;
    const CameraPoint camera = cameraPoint({40.0f, 3.0f}, 300);
    setUpCamera(camera, 8.0f);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (const Vec2 point : {Vec2{37.25f, 1.5f}, Vec2{41.0f, 4.75f}, Vec2{44.5f, -0.5f}}) {
        GLdouble wx = 0, wy = 0, wz = 0;
        ASSERT_TRUE(gluProject(point.x, point.y, 0.0, model, projection, viewport, &wx, &wy, &wz));
        // A window twice as high: the picture sits at its lower left, client y counts from the top.
        const int windowHeight = 960;
        Vec2 hit;
        ASSERT_TRUE(stagePointUnder(camera, 8.0f, static_cast<int>(std::lround(wx)),
                                    windowHeight - static_cast<int>(std::lround(wy)), windowHeight, hit));
        EXPECT_NEAR(hit.x, point.x, 0.03);
        EXPECT_NEAR(hit.y, point.y, 0.03);
    }
    Vec2 hit;
    EXPECT_FALSE(stagePointUnder(camera, 0.0f, 320, 240, 480, hit)) << "a camera on the plane sees no point of it";
    EXPECT_FALSE(stagePointUnder(camera, -4.0f, 320, 240, 480, hit));
}

TEST(Meter, BarWidthsAndFacesFollowLife) {
    EXPECT_NEAR(meterBarWidth(0.8f), 172.8f, 1e-3);
    EXPECT_FLOAT_EQ(meterBarWidth(1.0f), 216.00002f);
    EXPECT_EQ(meterBarWidth(-0.2f), 0.0f);
    const std::pair<float, TextureCorner> faces[] = {{0.8f, {0, 0}},   {0.76f, {0, 0}},     {0.75f, {0.5f, 0}},
                                                     {0.5f, {0.5f, 0}}, {0.25f, {0, 0.5f}}, {0.1f, {0, 0.5f}},
                                                     {0.0f, {0.5f, 0.5f}}, {-0.2f, {0.5f, 0.5f}}};
    for (const auto& [life, corner] : faces) {
        SCOPED_TRACE(life);
        EXPECT_EQ(meterFace(life).s, corner.s);
        EXPECT_EQ(meterFace(life).t, corner.t);
    }
}

TEST(GameSceneDraw, TheMeterShowsLifeAsABarAndAFaceOnScreen) {
    Target target;
    ASSERT_TRUE(target.ready()) << kNoGl;
    FlowRun run;
    run.folder.writeLevelGround("data/stage/0.ground", 40);
    run.folder.write("data/etc/face.png", "");
    ASSERT_TRUE(writePng("data/etc/face.png", faceSheet()));
    run.start();
    run.press(kPadKeyZ);
    GameScene& scene = *run.scene;
    ASSERT_GT(run.runUntil([&] { return scene.curtain.isLifted(); }), 0);

    const std::pair<float, int> cases[] = {{0.8f, 0}, {0.5f, 1}, {0.1f, 2}, {-0.2f, 3}};
    for (const auto& [life, face] : cases) {
        SCOPED_TRACE(life);
        scene.hero->life = life;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.draw();
        const Image image = target.shot();
        EXPECT_EQ(faceShown(image), face);
        const int end = barEnd(image);
        if (life <= 0.0f) {
            EXPECT_EQ(end, -1) << "no bar";
        } else {
            EXPECT_NEAR(end, 120 + 216 * life, 1.5);
            EXPECT_GE(at(image, 121, 66).r, 100) << "the bar starts at x 120";
            EXPECT_LT(at(image, 118, 66).r, 100);
        }
    }
}

TEST(GameSceneDraw, TheContinuePromptLightsTheChosenAnswerAfterTheDelayOnly) {
    Target target;
    ASSERT_TRUE(target.ready()) << kNoGl;
    FlowRun run;
    run.folder.writeLevelGround("data/stage/0.ground", 40);
    Image white(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 32; ++x) white.row(y)[x] = 255;
    }
    run.folder.write("data/etc/continue.png", "");
    ASSERT_TRUE(writePng("data/etc/continue.png", white));
    run.start();
    run.press(kPadKeyZ);
    GameScene& scene = *run.scene;
    ASSERT_GT(run.runUntil([&] { return scene.curtain.isLifted(); }), 0);
    scene.hero->life = 0.0f;
    run.frame();
    ASSERT_EQ(scene.continueState, 1);

    const auto brightness = [](Rgb c) { return c.r + c.g + c.b; };
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.draw();
    Image image = target.shot();
    EXPECT_LT(brightness(at(image, 320, 120)), 700) << "no prompt while the delay runs";

    run.run(100);
    ASSERT_EQ(scene.continueDelay, 0);
    scene.draw();
    image = target.shot();
    EXPECT_EQ(brightness(at(image, 320, 120)), 765) << "the question in opaque white";
    EXPECT_GT(brightness(at(image, 20, 360)), brightness(at(image, 620, 360)) + 300) << "left answer lit";

    scene.continueState = 2;
    scene.draw();
    image = target.shot();
    EXPECT_GT(brightness(at(image, 620, 360)), brightness(at(image, 20, 360)) + 300) << "right answer lit";
}
