#include "game/graphics/curtain.h"

#include "platform/egl/headless_gl.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace {

// Steps until done() holds, giving up after limit steps; returns the count, or -1 when it never held.
// Ten seconds of frames is far longer than any screen change may take.
template <class Done>
int stepsUntil(Curtain& curtain, Done done, int limit = 500) {
    for (int n = 0; n < limit; ++n) {
        if (done()) return n;
        curtain.step();
    }
    return done() ? limit : -1;
}

bool samePoints(const std::vector<CurtainPoint>& a, const std::vector<CurtainPoint>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].z != b[i].z) return false;
    }
    return a.size() == b.size();
}

// Raises every row from 5 down by 40 pixels, at rest, so that row 5 climbs above row 4.
void raiseLowerRows(Curtain& curtain) {
    for (int r = 5; r < Curtain::kRows; ++r) {
        for (int c = 0; c < Curtain::kColumns; ++c) {
            curtain.at(r, c).y -= 40.0f;
            curtain.previous[r * Curtain::kColumns + c].y -= 40.0f;
        }
    }
}

// A 640 x 480 colour buffer to draw into, cleared to blue.
class ScreenBuffer {
public:
    ScreenBuffer() {
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glGenRenderbuffers(1, &colour_);
        glBindRenderbuffer(GL_RENDERBUFFER, colour_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 640, 480);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
        glViewport(0, 0, 640, 480);
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    ~ScreenBuffer() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(1, &colour_);
        glDeleteFramebuffers(1, &framebuffer_);
    }
    bool complete() const { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }
    // The colour at a point of the 640 x 480 screen, y down as the curtain counts it.
    std::array<int, 3> at(int x, int y) const {
        std::array<unsigned char, 4> rgba{};
        glReadPixels(x, 479 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return {rgba[0], rgba[1], rgba[2]};
    }

private:
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
};

}  // namespace

TEST(Curtain, CoversTheScreenWhenDownAndIsNotDrawnOnceLifted) {
    // Kept for the whole program: the GL driver leaves allocations behind when a context it drew with
    // is torn down.
    static HeadlessGl* gl = new HeadlessGl();
    ASSERT_TRUE(gl->current()) << "no headless OpenGL";
    const std::array<int, 3> blue{0, 0, 255};
    const std::array<int, 3> cloth{255, 255, 255};  // untextured, lit from the front
    {
        ScreenBuffer screen;
        ASSERT_TRUE(screen.complete());
        Curtain down;
        down.draw();
        for (auto [x, y] : {std::pair{2, 2}, std::pair{320, 240}, std::pair{637, 477}}) {
            EXPECT_EQ(screen.at(x, y), cloth) << x << "," << y;
        }
    }
    Curtain curtain;
    curtain.lift();
    for (int i = 0; i < 56; ++i) curtain.step();
    {
        ScreenBuffer screen;
        curtain.draw();
        EXPECT_EQ(screen.at(320, 2), cloth) << "half lifted, it still hangs from the top";
        EXPECT_EQ(screen.at(320, 477), blue);
    }
    while (!curtain.isLifted()) curtain.step();
    {
        ScreenBuffer screen;
        curtain.draw();
        for (auto [x, y] : {std::pair{2, 2}, std::pair{320, 240}, std::pair{637, 477}}) {
            EXPECT_EQ(screen.at(x, y), blue) << x << "," << y;
        }
    }
}

TEST(Curtain, StartsDownAndDropOnlyStopsALiftingCloth) {
    Curtain curtain;
    ASSERT_EQ(curtain.points.size(), 320u);
    EXPECT_TRUE(curtain.isDown());
    EXPECT_FALSE(curtain.isLifted());
    EXPECT_FLOAT_EQ(curtain.at(15, 19).x, 640.0f);
    EXPECT_FLOAT_EQ(curtain.at(15, 0).y, 480.0f);

    const auto before = curtain.points;
    curtain.drop();
    EXPECT_TRUE(samePoints(curtain.points, before));
    EXPECT_EQ(curtain.lifting, 0);

    // Lift a while, drop (the cloth stops dead), let it fall: a second drop must not stop the fall.
    curtain.lift();
    EXPECT_FALSE(curtain.isDown()) << "a lifted curtain is not down, even before it has moved";
    for (int i = 0; i < 60; ++i) curtain.step();
    curtain.drop();
    EXPECT_TRUE(samePoints(curtain.previous, curtain.points));
    for (int i = 0; i < 5; ++i) curtain.step();
    const auto falling = curtain.previous;
    curtain.drop();
    EXPECT_TRUE(samePoints(curtain.previous, falling));
    EXPECT_FALSE(samePoints(curtain.previous, curtain.points));
}

TEST(Curtain, OneStepAppliesGravityPinsAndLiftPullsInOrder) {
    Curtain hanging;
    hanging.step();
    for (int c = 0; c < Curtain::kColumns; ++c) {
        EXPECT_FLOAT_EQ(hanging.at(0, c).y, 0.0f);
        EXPECT_FLOAT_EQ(hanging.at(7, c).y, 7 * 32.0f + 0.1f);
        EXPECT_FLOAT_EQ(hanging.at(15, c).y, 480.0f) << "the bottom edge rests on the screen's bottom";
        EXPECT_LE(hanging.at(7, c).z, 0.0f);
    }
    EXPECT_FLOAT_EQ(hanging.at(3, 0).z, 0.0f) << "z above 0 is clamped";
    EXPECT_LT(hanging.at(3, 2).z, 0.0f);

    Curtain lifting;
    lifting.lift();
    lifting.step();
    EXPECT_FLOAT_EQ(lifting.at(14, 0).y, 14 * 32.0f + 0.1f - 1.0f);
    EXPECT_FLOAT_EQ(lifting.at(14, 9).y, 14 * 32.0f + 0.1f - 5.0f);
    EXPECT_FLOAT_EQ(lifting.at(14, 19).y, 14 * 32.0f + 0.1f) << "the side is pinned before the pull";
    EXPECT_FLOAT_EQ(lifting.at(15, 4).y, 15 * 32.0f + 0.1f) << "no rest on the bottom while lifting";
}

TEST(Curtain, ARisingRowFoldsTheRowAboveOverIt) {
    for (int lift = 0; lift <= 1; ++lift) {
        Curtain curtain;
        raiseLowerRows(curtain);
        curtain.lifting = lift;
        curtain.step();
        const float lower = (5 * 32.0f - 40.0f) + 0.1f;
        const float expected = lower - (lift ? 3.0f : 2.0f);
        EXPECT_FLOAT_EQ(curtain.previous[4 * Curtain::kColumns + 0].y, expected) << "lifting " << lift;
        EXPECT_FLOAT_EQ(curtain.previous[4 * Curtain::kColumns + 7].y, expected) << "lifting " << lift;
    }
}

TEST(Curtain, LiftDropLiftCyclesEndAndALiftedClothIsFrozen) {
    Curtain curtain;
    curtain.lift();
    const int toLifted = stepsUntil(curtain, [&] { return curtain.isLifted(); });
    ASSERT_GE(toLifted, 0) << "never lifted";

    const auto frozen = curtain.points;
    for (int i = 0; i < 10; ++i) curtain.step();
    EXPECT_TRUE(samePoints(curtain.points, frozen));
    for (int c = 0; c < Curtain::kColumns; ++c) EXPECT_LE(curtain.at(15, c).y, 0.0f);

    curtain.drop();
    EXPECT_FALSE(curtain.isLifted());
    const int toDown = stepsUntil(curtain, [&] { return curtain.isDown(); });
    ASSERT_GE(toDown, 0) << "never came down";
    // The cloth may bounce off the bottom once or twice; it must come to rest down.
    int settled = toDown;
    for (int quiet = 0; quiet < 100 && settled < 1000; ++settled) {
        quiet = curtain.isDown() ? quiet + 1 : 0;
        curtain.step();
    }
    settled -= 100;
    ASSERT_LT(settled, 900) << "never came to rest";

    curtain.lift();
    const int toLiftedAgain = stepsUntil(curtain, [&] { return curtain.isLifted(); });
    ASSERT_GE(toLiftedAgain, 0) << "never lifted a second time";

    // A drop in mid-lift turns the cloth round; it still comes down.
    curtain.drop();
    stepsUntil(curtain, [&] { return curtain.isDown(); });
    curtain.lift();
    for (int i = 0; i < toLifted / 2; ++i) curtain.step();
    curtain.drop();
    const int midLiftToDown = stepsUntil(curtain, [&] { return curtain.isDown(); });
    ASSERT_GE(midLiftToDown, 0);

    std::printf("curtain steps: lift %d, drop %d (down for good after %d), lift again %d, drop from half way %d\n",
                toLifted, toDown, settled, toLiftedAgain, midLiftToDown);
    for (const CurtainPoint& p : curtain.points) {
        EXPECT_GE(p.z, -0.9f);
        EXPECT_LE(p.z, 0.0f);
    }
}
