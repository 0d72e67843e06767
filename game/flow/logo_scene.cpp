#include "game/flow/logo_scene.h"

#include "game/flow/pad_press.h"
#include "game/flow/game_scene.h"
#include "game/shell/game_app.h"
#include "game/shell/music_player.h"
#include "game/shell/sound_effects.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

constexpr const char* kModel = "data\\logo\\0.model";
constexpr const char* kPoses[] = {"data\\logo\\0.pose", "data\\logo\\1.pose", "data\\logo\\2.pose",
                                  "data\\logo\\3.pose", "data\\logo\\4.pose", "data\\logo\\5.pose"};
constexpr const char* kPiko = "data\\sound\\piko.wav";
constexpr const char* kCat = "data\\sound\\cat.wav";

// Frames of the logo's clock: a pose every 50, limp one frame after the last, retreat after 300.
constexpr std::int32_t kLimpFrame = 251;
constexpr std::int32_t kRetreatAfter = 300;
constexpr std::int32_t kHandOverFrame = 350;

}  // namespace

LogoScene::LogoScene(NextScene next) : next_(std::move(next)) {}
LogoScene::~LogoScene() = default;

void LogoScene::enter() {
    puppet.loadModel(kModel);
    puppet.setPose(kPoses[0]);
    puppet.set(Puppet::posed, true);
    cameraDistance = kStartDistance;
    frameCount = 0;
    stopMusic();  // the logo is silent but for its two effects
}

void LogoScene::update() {
    // A new press skips to the game; the logo still finishes this update, and a key held since before
    // the logo began does not count.
    if (newlyPressed(kConfirmButton)) startGame();

    if (cameraDistance < 5.0f) ++frameCount;

    if (frameCount > 0 && frameCount <= 250 && frameCount % 50 == 0) {
        playSound(frameCount == 250 ? kCat : kPiko);
        puppet.setPose(kPoses[frameCount / 50]);
    } else if (frameCount == kLimpFrame) {
        puppet.set(Puppet::posed, false);
    } else if (frameCount > kRetreatAfter) {
        ++frameCount;
        cameraDistance += 1.0f;
        if (frameCount == kHandOverFrame) startGame();
    }

    cameraDistance -= 0.2f;
    if (cameraDistance < kClosestDistance) cameraDistance = kClosestDistance;
    puppet.step();
}

void LogoScene::draw() {
    glClearColor(0.0f, 0.0f, 0.8f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.3333333333333333, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, cameraDistance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    puppet.draw(0.0f, 1.0f);
}

void LogoScene::playSound(const char* name) { SoundEffects::play(name); }
void LogoScene::stopMusic() { MusicPlayer::stop(); }

void LogoScene::startGame() {
    GameApp* app = GameApp::instance();
    if (!app) return;
    app->pushScene(next_ ? next_() : std::make_unique<GameScene>());
}
