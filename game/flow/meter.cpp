#include "game/flow/meter.h"

#include <GL/gl.h>

namespace {

struct Corner {
    float x, y, s, t;
};

void drawQuad(const Corner (&corners)[4]) {
    glBegin(GL_TRIANGLE_FAN);
    for (const Corner& c : corners) {
        glTexCoord2f(c.s, c.t);
        glVertex2f(c.x, c.y);
    }
    glEnd();
}

}  // namespace

float meterBarWidth(float life) { return kMeterBarWidth * (life < 0.0f ? 0.0f : life); }

TextureCorner meterFace(float life) {
    const float shown = life < 0.0f ? 0.0f : life;
    if (shown > 0.75f) return {0.0f, 0.0f};
    if (shown > 0.25f) return {0.5f, 0.0f};
    if (life > 0.0f) return {0.0f, 0.5f};
    return {0.5f, 0.5f};
}

void drawMeter(float life, Texture meterTexture, Texture faceTexture) {
    glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);

    const float right = kMeterBarLeft + meterBarWidth(life);
    glColor4f(1.0f, 0.0f, 0.0f, 0.5f);
    drawQuad({{kMeterBarLeft, 54.000004f, 0, 0}, {kMeterBarLeft, 78.0f, 0, 0}, {right, 78.0f, 0, 0},
              {right, 54.000004f, 0, 0}});
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    // The frame is the upper half of its picture.
    glBindTexture(GL_TEXTURE_2D, meterTexture);
    glEnable(GL_TEXTURE_2D);
    drawQuad({{0.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 120.00001f, 0.0f, 0.5f}, {360.0f, 120.00001f, 1.0f, 0.5f},
              {360.0f, 0.0f, 1.0f, 0.0f}});

    const TextureCorner face = meterFace(life);
    glBindTexture(GL_TEXTURE_2D, faceTexture);
    glEnable(GL_TEXTURE_2D);
    drawQuad({{38.4f, 18.0f, face.s, face.t}, {38.4f, 90.0f, face.s, face.t + 0.5f},
              {110.4f, 90.0f, face.s + 0.5f, face.t + 0.5f}, {110.4f, 18.0f, face.s + 0.5f, face.t}});
}
