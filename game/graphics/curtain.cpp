#include "game/graphics/curtain.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float kGravity = 0.1f;
constexpr float kDeepest = -0.9f;

// Pulls two points back to rest, each moving half of the excess along the line joining them. Points
// closer than rest are left alone: the cloth bunches but never stretches.
void limitStretch(CurtainPoint& a, CurtainPoint& b, float rest) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float dz = b.z - a.z;
    const float d = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (d <= rest) return;  // also keeps d well away from 0 below
    const float half = (rest - d) * 0.5f;
    const float nx = dx / d;
    const float ny = dy / d;
    const float nz = dz / d;
    a.x -= nx * half;
    a.y -= ny * half;
    a.z -= nz * half;
    b.x += nx * half;
    b.y += ny * half;
    b.z += nz * half;
}

}  // namespace

Curtain::Curtain() : points(kColumns * kRows), previous(kColumns * kRows) {
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const float column = static_cast<float>(c);
            at(r, c) = {column * kColumnSpacing, static_cast<float>(r) * kRowSpacing, 0.01f * std::cos(column)};
        }
    }
    previous = points;
}

void Curtain::drop() {
    if (lifting == 0) return;
    previous = points;
    lifting = 0;
}

bool Curtain::isLifted() const {
    if (lifting != 1) return false;
    for (int c = 0; c < kColumns; ++c) {
        if (at(kRows - 1, c).y > 0.0f) return false;
    }
    return true;
}

bool Curtain::isDown() const {
    if (lifting != 0) return false;
    for (int c = 0; c < kColumns; ++c) {
        if (at(kRows - 1, c).y < 470.0f) return false;
    }
    return true;
}

void Curtain::step() {
    if (isLifted()) return;
    integrate();
    applyLimits();
    pinEdges();
    if (lifting) {
        // Hoisting from two points near the lower edge, left of the middle, gathers the cloth up
        // unevenly, as a stage curtain is drawn up by its cords.
        at(14, 0).y -= 1.0f;
        at(14, 9).y -= 5.0f;
        return;
    }
    for (int c = 0; c < kColumns; ++c) {
        CurtainPoint& p = at(kRows - 1, c);
        if (p.y > 480.0f) p.y = 480.0f;  // the falling cloth comes to rest on the screen's bottom
    }
}

void Curtain::integrate() {
    for (std::size_t i = 0; i < points.size(); ++i) {
        CurtainPoint& p = points[i];
        const CurtainPoint old = previous[i];
        previous[i] = p;
        p.x += p.x - old.x;
        p.y += p.y - old.y + kGravity;
        p.z += p.z - old.z;
        if (p.z > 0.0f) p.z = 0.0f;
        if (p.z < kDeepest) p.z = kDeepest;
    }
}

void Curtain::applyLimits() {
    const float fold = lifting ? 3.0f : 2.0f;
    for (int r = kRows - 1; r >= 1; --r) {
        for (int c = 0; c < kColumns - 1; ++c) {
            CurtainPoint& lower = at(r, c);
            CurtainPoint& upper = at(r - 1, c);
            if (lower.y < upper.y) {
                // A row may not climb past the one above it: the upper one is folded over it instead.
                upper.y = lower.y - fold;
                previous[(r - 1) * kColumns + c].y = upper.y;
            }
            limitStretch(lower, at(r, c + 1), kColumnSpacing);
            limitStretch(lower, upper, kRowSpacing);
        }
    }
}

void Curtain::pinEdges() {
    for (int c = 0; c < kColumns; ++c) {
        at(0, c).y = 0.0f;
        previous[c].y = 0.0f;
    }
    for (int r = 0; r < kRows; ++r) {
        at(r, 0).x = 0.0f;
        at(r, kColumns - 1).x = 640.0f;
        at(r, kColumns - 1).y = at(r, 0).y;
    }
}

void Curtain::draw() const {
    if (isLifted()) return;
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glBegin(GL_QUADS);
    for (int r = 0; r < kRows - 1; ++r) {
        for (int c = 0; c < kColumns - 1; ++c) {
            const int corners[4][2] = {{r, c}, {r + 1, c}, {r + 1, c + 1}, {r, c + 1}};
            for (const auto& [row, column] : corners) {
                const CurtainPoint& p = at(row, column);
                // Folds that billow back (z toward -0.9) shade darker.
                const float grey = p.z + 1.5f;
                glTexCoord2f(static_cast<float>(column) / 19.0f, static_cast<float>(row) / 15.0f);
                glColor3f(grey, grey, grey);
                glVertex2f(p.x, p.y);
            }
        }
    }
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
}
