#include "game/world/ground.h"

#include <GL/gl.h>

namespace {

struct StripEdge {
    float rise;  // above the height sample
    float z;
};

// One strip across the stage: at every sample a vertex on the first edge (s = 0) and one on the
// second (s = 1), with the picture repeating every 10 units along the stage.
void drawStrip(const Ground& ground, StripEdge first, StripEdge second, bool fadeBack) {
    const std::size_t lines = ground.lines.size();
    glBegin(GL_TRIANGLE_STRIP);
    for (std::size_t j = 0; j < lines; ++j) {
        for (std::size_t k = j; k <= j + 1; ++k) {
            // Level ground is white and slopes darker; the last sample shares the last line's shade.
            const float shade = ground.lines[k < lines ? k : lines - 1].ny;
            const float x = static_cast<float>(k);
            const float h = ground.heights[k];
            glColor4f(shade, shade, shade, 1.0f);
            glTexCoord2f(0.0f, 0.1f * x);
            glVertex3f(x, h + first.rise, first.z);
            glColor4f(shade, shade, shade, fadeBack ? 0.0f : 1.0f);
            glTexCoord2f(1.0f, 0.1f * x);
            glVertex3f(x, h + second.rise, second.z);
        }
    }
    glEnd();
}

}  // namespace

void Ground::draw() const {
    glBindTexture(GL_TEXTURE_2D, texture);
    glDisable(GL_LIGHTING);
    if (lines.size() + 1 <= heights.size() && !lines.empty()) {
        drawStrip(*this, {0.0f, 2.5f}, {-8.0f, 5.0f}, false);    // front face, falling toward the viewer
        drawStrip(*this, {0.0f, -2.5f}, {0.0f, 2.5f}, false);    // the walking surface
        drawStrip(*this, {0.0f, -2.5f}, {2.0f, -5.0f}, false);   // rise behind the surface
        drawStrip(*this, {2.0f, -5.0f}, {2.0f, -10.0f}, false);  // upper back shelf
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        drawStrip(*this, {2.0f, -10.0f}, {2.0f, -12.5f}, true);  // back edge fading out
    } else {
        glEnable(GL_BLEND);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
