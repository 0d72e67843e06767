// Drawing: the picture corners are placed from the frame, then drawn as one textured, blended fan.

#include "offscreen_gl.h"
#include "part_builder.h"
#include "puppet/model/puppet.h"

#include "game/graphics/image.h"
#include "game/graphics/png_writer.h"
#include "game/graphics/texture_cache.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>

namespace {

// A part whose picture is inset from its frame, so that no picture corner starts on a frame corner.
PuppetPart insetPart() {
    PuppetPart part = makePart({{0.5f, 0.0f}}, {});
    const float xs[4] = {-0.4f, -0.4f, 0.3f, 0.3f};
    const float ys[4] = {0.4f, -0.2f, -0.2f, 0.4f};
    for (int c = 0; c < 4; ++c) {
        part.corners[c].x = xs[c];
        part.corners[c].y = ys[c];
        for (int i = 0; i < 4; ++i) part.pictureRest[4 * c + i] = pointDistance(part.corners[c], part.frame.corners[i]);
    }
    return part;
}

void settleFrame(FrameSquare& frame) {
    for (int n = 0; n < 100; ++n) frame.rigidify();
}

// Where picture corner c belongs for a frame: the same spot in the frame's own corner-numbered axes.
Vec2 expectedCorner(const FrameSquare& frame, float px, float py) {
    const PointMass& c0 = frame.corners[0];
    const PointMass& c1 = frame.corners[1];
    const PointMass& c3 = frame.corners[3];
    const float s = px + 0.5f;  // along corner 0 to corner 3
    const float t = 0.5f - py;  // along corner 0 to corner 1
    return {c0.x + s * (c3.x - c0.x) + t * (c1.x - c0.x), c0.y + s * (c3.y - c0.y) + t * (c1.y - c0.y)};
}

void expectPictureFollowsFrame(const PuppetPart& part, const PuppetPart& original, float tolerance) {
    for (int c = 0; c < 4; ++c) {
        const Vec2 want = expectedCorner(part.frame, original.corners[c].x, original.corners[c].y);
        EXPECT_NEAR(part.corners[c].x, want.x, tolerance) << "corner " << c;
        EXPECT_NEAR(part.corners[c].y, want.y, tolerance) << "corner " << c;
        EXPECT_EQ(part.corners[c].u, original.corners[c].u);
    }
}

}  // namespace

TEST(PicturePlacement, FollowsTheFrameAfterMoveMirrorAndScale) {
    const PuppetPart original = insetPart();

    PuppetPart still = original;
    still.placePicture();
    expectPictureFollowsFrame(still, original, 1e-4f);
    const auto firstPlace = still.corners;
    still.placePicture();
    for (int c = 0; c < 4; ++c) {
        EXPECT_NEAR(still.corners[c].x, firstPlace[c].x, 1e-5f);
        EXPECT_NEAR(still.corners[c].y, firstPlace[c].y, 1e-5f);
    }

    PuppetPart moved = original;
    moved.move({3.0f, -2.0f});
    for (int n = 0; n < 3; ++n) moved.placePicture();
    expectPictureFollowsFrame(moved, original, 1e-3f);

    PuppetPart mirrored = original;
    mirrored.mirror();
    for (int n = 0; n < 3; ++n) mirrored.placePicture();
    expectPictureFollowsFrame(mirrored, original, 1e-3f);
    EXPECT_NEAR(mirrored.corners[0].x, 0.4f, 1e-3f);  // the left edge is now on the right

    PuppetPart scaled = original;
    scaled.scale(2.0f);
    settleFrame(scaled.frame);
    for (int n = 0; n < 3; ++n) scaled.placePicture();
    expectPictureFollowsFrame(scaled, original, 1e-3f);
    EXPECT_NEAR(pointDistance(scaled.corners[0], scaled.corners[1]), 1.2f, 1e-3f);

    // Placement only moves the picture (a frame corner moves 0.0001 at most, when a picture corner sits
    // exactly on it).
    PuppetPart framed = makePart({}, {});
    const FrameSquare frameBefore = framed.frame;
    framed.placePicture();
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(framed.frame.corners[i].x, frameBefore.corners[i].x, 1.01e-4f);
        EXPECT_EQ(framed.frame.corners[i].y, frameBefore.corners[i].y);
    }
}

class DrawTest : public ::testing::Test {
protected:
    static constexpr int kSize = 64;  // pixels; the view spans -4 to 4 units, 8 pixels a unit

    void SetUp() override {
        ASSERT_TRUE(gl().ready()) << "no offscreen OpenGL context (Mesa's surfaceless EGL)";
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-4, 4, -4, 4, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // Left texel opaque red, right texel opaque green.
        const unsigned char texels[8] = {255, 0, 0, 255, 0, 255, 0, 255};
        glGenTextures(1, &texture_);
        glBindTexture(GL_TEXTURE_2D, texture_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
    }

    void TearDown() override {
        if (gl().ready()) glDeleteTextures(1, &texture_);
    }

    // One context for the whole program, never torn down: unloading the GL driver mid-run would only
    // leave its allocations unattributable.
    static OffscreenGl& gl() {
        static OffscreenGl* context = new OffscreenGl(kSize, kSize);
        return *context;
    }

    void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    std::array<int, 4> pixelAt(Vec2 world) {
        glFinish();
        unsigned char rgba[4] = {};
        const int px = static_cast<int>((world.x + 4.0f) * kSize / 8.0f);
        const int py = static_cast<int>((world.y + 4.0f) * kSize / 8.0f);
        glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2], rgba[3]};
    }

    // One part of side 2 at (1.5, 1), picture filling the frame, with the test texture.
    Puppet onePartPuppet() {
        Puppet puppet;
        puppet.parts.push_back(makePart({}, {}));
        puppet.parts[0].texture = texture_;
        puppet.parts[0].scale(2.0f);
        settleFrame(puppet.parts[0].frame);
        puppet.parts[0].move({1.5f, 1.0f});
        return puppet;
    }

    GLuint texture_ = 0;
};

TEST_F(DrawTest, PartIsDrawnWhereItsFrameIsTexturedWithItsAlpha) {
    Puppet puppet = onePartPuppet();
    const FrameSquare frame = puppet.parts[0].frame;
    const Vec2 leftSide = expectedCorner(frame, -0.25f, 0.0f);
    const Vec2 rightSide = expectedCorner(frame, 0.25f, 0.0f);
    const Vec2 outside = {frame.centre().x - 2.5f, frame.centre().y};

    clear();
    puppet.draw(0.0f, 1.0f);
    EXPECT_EQ(pixelAt(leftSide)[0], 255);
    EXPECT_EQ(pixelAt(leftSide)[1], 0);
    EXPECT_EQ(pixelAt(rightSide)[1], 255);
    EXPECT_EQ(pixelAt(rightSide)[0], 0);
    EXPECT_EQ(pixelAt(outside)[0] + pixelAt(outside)[1], 0);

    clear();
    puppet.draw(0.0f, 0.5f);
    EXPECT_NEAR(pixelAt(leftSide)[0], 128, 2);
    EXPECT_NEAR(pixelAt(rightSide)[1], 128, 2);

    clear();
    puppet.draw(0.0f, 0.0f);
    EXPECT_EQ(pixelAt(leftSide)[0], 0);
    EXPECT_EQ(pixelAt(rightSide)[1], 0);

    // Mirrored, the picture is drawn the other way round in the same place.
    puppet.mirror();
    clear();
    puppet.draw(0.0f, 1.0f);
    EXPECT_EQ(pixelAt(leftSide)[1], 255);
    EXPECT_EQ(pixelAt(rightSide)[0], 255);

    // Texturing and blending are left on and the colour white.
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawTest, EmptyPuppetDrawsNothingAndLeavesGlStateAlone) {
    clear();
    glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
    Puppet empty;
    empty.draw(0.0f, 1.0f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.2f);
    EXPECT_FLOAT_EQ(colour[3], 0.5f);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(pixelAt({0.0f, 0.0f})[0], 0);
}

TEST_F(DrawTest, LoadedModelDrawsItsPictureFromTheTextureCache) {
    // A one-part model whose picture is a plain blue PNG, in a folder of its own.
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("puppet_draw_test_" + std::to_string(getpid()));
    fs::create_directories(dir / "pics");
    Image blue(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            std::uint8_t* pixel = blue.row(y) + 4 * x;
            pixel[2] = 255;
            pixel[3] = 255;
        }
    }
    ASSERT_TRUE(writePng((dir / "pics" / "blue.png").string(), blue));
    std::ofstream(dir / "body.part") << "{pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},{u=0,v=1,x=-0.5,y=-0.5,},"
                                        "{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},],texture=pics\\blue.png,},";
    std::ofstream(dir / "0.model") << "{parts=[body.part,],},";
    std::string gamePath = (dir / "0.model").string();
    for (char& c : gamePath) c = c == '/' ? '\\' : c;

    TextureCache& cache = *TextureCache::instance();
    const bool wasHeadless = cache.headless();
    cache.setHeadless(false);
    Puppet puppet;
    puppet.loadModel(gamePath);
    cache.setHeadless(wasHeadless);
    fs::remove_all(dir);
    ASSERT_EQ(puppet.partCount(), 1u);
    EXPECT_NE(puppet.parts[0].texture, 0u);

    puppet.move({-2.0f, 1.0f});
    clear();
    puppet.draw(0.0f, 0.5f);
    const std::array<int, 4> centre = pixelAt({-2.0f, 1.0f});
    EXPECT_NEAR(centre[2], 128, 2);
    EXPECT_EQ(centre[0], 0);
    EXPECT_EQ(pixelAt({0.0f, 1.0f})[2], 0);
}
