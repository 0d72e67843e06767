#include "placeholder_scene.h"

#include "game/shell/pad_input.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

namespace {

constexpr float kStageFloor = 390;  // screen y of the stage floor, y down
constexpr float kWalkSpeed = 4;
constexpr float kLeftmost = 120, kRightmost = 520;
constexpr float kHopSpeed = 9, kGravity = 0.6f;
constexpr float kPi = 3.14159265f;
constexpr float kTitleScale = 9;
constexpr float kTitleLeft = 320 - (7 * 5.5f + 4) * kTitleScale / 2;  // eight letters, centred

struct Stroke {
    float x0, y0, x1, y1;
};
// The title in strokes on a 4 x 6 grid, y down.
const std::vector<std::vector<Stroke>> kTitleLetters = {
    {{0, 0, 0, 6}, {0, 0, 2.5f, 0}, {2.5f, 0, 4, 1.5f}, {4, 1.5f, 4, 4.5f}, {4, 4.5f, 2.5f, 6}, {2.5f, 6, 0, 6}},
    {{1, 0, 3, 0}, {3, 0, 4, 1}, {4, 1, 4, 5}, {4, 5, 3, 6}, {3, 6, 1, 6}, {1, 6, 0, 5}, {0, 5, 0, 1}, {0, 1, 1, 0}},
    {{0, 0, 0, 6}, {0, 6, 4, 6}},
    {{0, 0, 2, 6}, {2, 6, 4, 0}},
    {{0, 6, 2, 0}, {2, 0, 4, 6}, {1, 3.5f, 3, 3.5f}},
    {{0, 6, 0, 0}, {0, 0, 4, 6}, {4, 6, 4, 0}},
    {{4, 0, 0, 0}, {0, 0, 0, 6}, {0, 6, 4, 6}, {0, 3, 3, 3}},
    {{2, 0, 2, 4.2f}, {2, 5.4f, 2, 6}},
};

void colour(float r, float g, float b, float a = 1) { glColor4f(r, g, b, a); }

void quad(float left, float top, float right, float bottom) {
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
}

void disc(float x, float y, float radius) {
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(x, y);
    for (int i = 0; i <= 24; ++i) {
        const float angle = 2 * kPi * static_cast<float>(i) / 24;
        glVertex2f(x + radius * std::cos(angle), y + radius * std::sin(angle));
    }
    glEnd();
}

// A limb from (x, y) of the given length and thickness, turned by angle (0 points down).
void limb(float x, float y, float length, float thickness, float angle) {
    glPushMatrix();
    glTranslatef(x, y, 0);
    glRotatef(angle * 180 / kPi, 0, 0, 1);
    glBegin(GL_QUADS);
    quad(-thickness / 2, 0, thickness / 2, length);
    glEnd();
    glPopMatrix();
}

void drawTitle(float left, float top, float scale) {
    glBegin(GL_LINES);
    float x = left;
    for (const auto& letter : kTitleLetters) {
        for (const Stroke& s : letter) {
            glVertex2f(x + s.x0 * scale, top + s.y0 * scale);
            glVertex2f(x + s.x1 * scale, top + s.y1 * scale);
        }
        x += 5.5f * scale;
    }
    glEnd();
}

}  // namespace

std::string findPosterPicture() {
    std::error_code error;
    if (std::filesystem::is_regular_file("data/title/0.png", error)) return "data\\title\\0.png";
    std::vector<std::string> found;
    for (std::filesystem::recursive_directory_iterator it("data", error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && it->path().extension() == ".png") found.push_back(it->path().string());
    }
    if (found.empty()) return {};
    std::string path = *std::min_element(found.begin(), found.end());
    std::replace(path.begin(), path.end(), '/', '\\');  // game paths keep backslashes
    return path;
}

void PlaceholderScene::enter() {
    poster_ = findPosterPicture();
    posterTexture_ = 0;
    if (!poster_.empty()) {
        if (TextureCache* cache = TextureCache::instance()) posterTexture_ = cache->load(poster_.c_str());
    }
    figureX_ = 320;
    figureHeight_ = 0;
    risingSpeed_ = 0;
    walkPhase_ = 0;
    facingLeft_ = false;
    frame_ = 0;
}

void PlaceholderScene::update() {
    ++frame_;
    const PadInput* pad = PadInput::instance();
    if (!pad) return;
    const InputRecord& now = pad->record(0);
    const InputRecord& before = pad->record(1);

    const float step = std::clamp(now.x, -1.0f, 1.0f) * kWalkSpeed;
    figureX_ = std::clamp(figureX_ + step, kLeftmost, kRightmost);
    if (step != 0) facingLeft_ = step < 0;
    walkPhase_ += std::fabs(step) * 0.06f;

    const bool hopPressed = (now.buttons & 1) && !(before.buttons & 1);
    if (hopPressed && figureHeight_ == 0) risingSpeed_ = kHopSpeed;
    figureHeight_ += risingSpeed_;
    risingSpeed_ -= kGravity;
    if (figureHeight_ <= 0) {
        figureHeight_ = 0;
        risingSpeed_ = 0;
    }
}

void PlaceholderScene::draw() {
    glViewport(0, 0, 640, 480);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    drawBackdrop();
    drawPoster();
    drawMarionette();
    drawCurtains();
}

void PlaceholderScene::drawBackdrop() const {
    // Night sky fading to a warm horizon.
    glBegin(GL_QUADS);
    colour(0.08f, 0.10f, 0.28f);
    glVertex2f(0, 0);
    glVertex2f(640, 0);
    colour(0.93f, 0.55f, 0.36f);
    glVertex2f(640, kStageFloor);
    glVertex2f(0, kStageFloor);
    glEnd();

    colour(1.0f, 0.95f, 0.75f);
    disc(500, 205, 24);
    colour(1.0f, 0.95f, 0.75f, 0.15f);
    disc(500, 205, 38);

    // Painted hills on the back cloth, swaying a little as cloth does.
    const float sway = 4 * std::sin(static_cast<float>(frame_) * 0.03f);
    glBegin(GL_TRIANGLE_STRIP);
    for (int x = 0; x <= 640; x += 16) {
        const float fx = static_cast<float>(x);
        const float hill = 300 + 30 * std::sin(fx * 0.012f + 1) + 18 * std::sin(fx * 0.031f) + sway;
        colour(0.30f, 0.17f, 0.33f);
        glVertex2f(fx, hill);
        colour(0.20f, 0.10f, 0.22f);
        glVertex2f(fx, kStageFloor);
    }
    glEnd();

    // The stage floor: boards with a lit front edge.
    glBegin(GL_QUADS);
    colour(0.45f, 0.28f, 0.16f);
    glVertex2f(0, kStageFloor);
    glVertex2f(640, kStageFloor);
    colour(0.22f, 0.13f, 0.08f);
    glVertex2f(640, 480);
    glVertex2f(0, 480);
    colour(0.85f, 0.62f, 0.32f);
    quad(0, kStageFloor, 640, kStageFloor + 3);
    glEnd();
    glBegin(GL_LINES);
    colour(0.18f, 0.10f, 0.06f, 0.6f);
    for (float y = kStageFloor + 18; y < 480; y += 22) {
        glVertex2f(0, y);
        glVertex2f(640, y);
    }
    glEnd();
}

void PlaceholderScene::drawPoster() const {
    if (!posterTexture_) {
        glLineWidth(5);
        colour(0.10f, 0.05f, 0.05f, 0.7f);
        drawTitle(kTitleLeft + 3, 70 + 3, kTitleScale);
        colour(0.98f, 0.82f, 0.35f);
        drawTitle(kTitleLeft, 70, kTitleScale);
        glLineWidth(1);
        return;
    }
    GLint width = 0, height = 0;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, posterTexture_);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    const float fit = std::min(300.0f / static_cast<float>(std::max(width, 1)),
                               180.0f / static_cast<float>(std::max(height, 1)));
    const float w = static_cast<float>(width) * fit, h = static_cast<float>(height) * fit;
    const float left = 320 - w / 2, top = 60 + (180 - h) / 2 + 3 * std::sin(static_cast<float>(frame_) * 0.05f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    colour(0.55f, 0.38f, 0.16f);
    quad(left - 8, top - 8, left + w + 8, top + h + 8);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    colour(1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(left, top);
    glTexCoord2f(1, 0);
    glVertex2f(left + w, top);
    glTexCoord2f(1, 1);
    glVertex2f(left + w, top + h);
    glTexCoord2f(0, 1);
    glVertex2f(left, top + h);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void PlaceholderScene::drawMarionette() const {
    const float swing = 0.55f * std::sin(walkPhase_);
    const float idle = 0.08f * std::sin(static_cast<float>(frame_) * 0.07f);
    const float hipX = figureX_, hipY = kStageFloor - 72 - figureHeight_;
    const float shoulderY = hipY - 58, headY = shoulderY - 22;
    const float lean = facingLeft_ ? -1.0f : 1.0f;
    const float handLX = hipX - 30 - 12 * swing * lean, handRX = hipX + 30 + 12 * swing * lean;
    const float handY = shoulderY + 50;

    // Strings up to the control bar above the stage.
    glBegin(GL_LINES);
    colour(0.92f, 0.92f, 0.88f, 0.55f);
    for (float x : {handLX, handRX}) {
        glVertex2f(x, handY);
        glVertex2f(hipX + (x - hipX) * 0.6f, 47);
    }
    glVertex2f(hipX, headY - 16);
    glVertex2f(hipX, 47);
    glEnd();

    colour(0, 0, 0, 0.3f);  // shadow on the floor, smaller while hopping
    glPushMatrix();
    glTranslatef(hipX, kStageFloor + 4, 0);
    glScalef(1, 0.18f, 1);
    disc(0, 0, 34 - std::min(figureHeight_, 60.0f) * 0.25f);
    glPopMatrix();

    const float wood[3] = {0.93f, 0.78f, 0.56f};
    colour(wood[0] * 0.8f, wood[1] * 0.8f, wood[2] * 0.8f);
    limb(hipX - 8, hipY, 36, 10, swing + idle);  // far leg
    limb(hipX - 8 - 36 * std::sin(swing + idle), hipY + 36 * std::cos(swing + idle), 36, 9, swing * 0.4f);
    colour(wood[0], wood[1], wood[2]);
    limb(hipX + 8, hipY, 36, 10, -swing - idle);  // near leg
    limb(hipX + 8 + 36 * std::sin(swing + idle), hipY + 36 * std::cos(swing + idle), 36, 9, -swing * 0.4f);

    // Torso: a red tunic with a belt.
    glBegin(GL_QUADS);
    colour(0.80f, 0.18f, 0.20f);
    quad(hipX - 16, shoulderY, hipX + 16, hipY + 6);
    colour(0.35f, 0.20f, 0.10f);
    quad(hipX - 17, hipY - 8, hipX + 17, hipY - 2);
    glEnd();

    colour(wood[0], wood[1], wood[2]);
    limb(hipX - 18, shoulderY + 4, 50, 9, 0.5f + 0.4f * swing * lean + idle);
    limb(hipX + 18, shoulderY + 4, 50, 9, -0.5f + 0.4f * swing * lean - idle);
    disc(hipX, headY, 17);
    colour(0.25f, 0.12f, 0.06f);  // eyes look where it walks
    disc(hipX + 6 * lean - 4, headY - 2, 2.2f);
    disc(hipX + 6 * lean + 4, headY - 2, 2.2f);
    colour(0.20f, 0.35f, 0.65f);  // cap
    glBegin(GL_TRIANGLES);
    glVertex2f(hipX - 17, headY - 6);
    glVertex2f(hipX + 17, headY - 6);
    glVertex2f(hipX + 10 * lean, headY - 34);
    glEnd();

    colour(0.25f, 0.15f, 0.08f);  // the control bar
    glBegin(GL_QUADS);
    quad(hipX - 36, 44, hipX + 36, 50);
    glEnd();
}

void PlaceholderScene::drawCurtains() const {
    // Red drapes at both sides and a valance with a gold fringe along the top.
    glBegin(GL_QUADS);
    for (int side = 0; side < 2; ++side) {
        for (int fold = 0; fold < 5; ++fold) {
            const float x0 = side == 0 ? static_cast<float>(fold) * 14 : 640 - static_cast<float>(fold + 1) * 14;
            const float shade = (fold % 2 == 0) ? 0.62f : 0.48f;
            colour(shade, 0.05f, 0.08f);
            quad(x0, 0, x0 + 14, 480);
        }
    }
    colour(0.55f, 0.04f, 0.07f);
    quad(0, 0, 640, 30);
    colour(0.95f, 0.75f, 0.30f);
    quad(0, 30, 640, 34);
    glEnd();
    colour(0.95f, 0.75f, 0.30f);
    for (float x = 8; x < 640; x += 16) disc(x, 36, 3);
}
