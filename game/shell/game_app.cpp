#include "game/shell/game_app.h"

#include "game/shell/config_file.h"
#include "datatree/host_path.h"
#include "datatree/whole_file.h"
#include "game/shell/frame_pacing.h"
#include "game/graphics/png_reader.h"
#include "game/graphics/texture_cache.h"

#include <fstream>

namespace {
GameApp* theApp = nullptr;
// Leaving fullscreen at exit gives the display a moment to settle back into the desktop's mode.
constexpr std::uint32_t kDisplayRestoreMs = 500;
}  // namespace

GameApp::GameApp(const GamePlatform& platform) : platform_(platform) {
    theApp = this;
    createWindow();
    platform_.window.createGlContext();
    pointerInput_ = std::make_unique<PointerInput>(platform_.pointer);
    padInput_ = std::make_unique<PadInput>(platform_.pad);
    ready_ = true;
}

GameApp::~GameApp() {
    pointerInput_.reset();
    padInput_.reset();

    // Pending scenes were never entered, so they are not left either.
    sceneRequests_.clear();
    while (!sceneStack_.empty()) {
        sceneStack_.back()->leave();
        sceneStack_.pop_back();
    }

    if (TextureCache* cache = TextureCache::instance(); cache && platform_.window.hasGlContext()) cache->clear();
    platform_.window.destroyGlContext();

    if (fullscreen_) {
        toggleFullscreen();
        platform_.clock.sleep(kDisplayRestoreMs);
    }
    platform_.window.destroy();
    theApp = nullptr;
}

GameApp* GameApp::instance() { return theApp; }

void GameApp::createWindow() {
    const ConfigFile config("config\\window.txt");
    platform_.window.create(config.getString("name", "Dolvane!"));

    const std::string icon = config.getString("icon", "");
    if (!icon.empty()) {
        std::ifstream file;
        openRegularFile(file, hostPath(icon));
        Image picture;
        if (file && readPng(file, picture)) {
            platform_.window.setIcon(picture.pixels(), picture.width(), picture.height());
        }
    }

    platform_.window.desktopSize(desktopWidth_, desktopHeight_);
    width_ = config.getInt("width", 640);
    height_ = config.getInt("height", 480);
    // A window must have a size; nonsense sizes fall back to the default picture size.
    if (width_ <= 0 || height_ <= 0) {
        width_ = 640;
        height_ = 480;
    }
    // One toggle from the opposite state puts the window into its first mode and shows it.
    fullscreen_ = !config.getBool("full", false);
    toggleFullscreen();
}

void GameApp::toggleFullscreen() {
    if (!fullscreen_) {
        fullscreen_ = true;
        // A display without a mode of exactly this size keeps the game in a window.
        if (!platform_.window.showFullscreen(width_, height_)) toggleFullscreen();
    } else {
        fullscreen_ = false;
        platform_.window.showWindowed(width_, height_);
    }
}

void GameApp::pushScene(std::unique_ptr<Scene> scene) {
    if (scene) sceneRequests_.push_back(std::move(scene));
}

void GameApp::popScene() { sceneRequests_.push_back(nullptr); }

void GameApp::processSceneRequests() {
    while (!sceneRequests_.empty()) {
        std::unique_ptr<Scene> request = std::move(sceneRequests_.front());
        sceneRequests_.pop_front();
        if (!request) {
            if (sceneStack_.empty()) continue;  // nothing to pop
            sceneStack_.back()->leave();
            sceneStack_.pop_back();
            if (!sceneStack_.empty()) sceneStack_.back()->enter();
        } else {
            if (!sceneStack_.empty()) sceneStack_.back()->leave();
            sceneStack_.push_back(std::move(request));
            sceneStack_.back()->enter();
        }
    }
}

void GameApp::run() {
    beginRun();
    while (runFrame()) {
    }
}

void GameApp::beginRun() {
    noWait_ = forceUnpaced_ || ConfigFile("config\\speed.txt").getInt("no_wait", 0) != 0;
    processSceneRequests();
}

bool GameApp::runFrame() {
    if (quitRequested_ || sceneStack_.empty()) return false;
    const std::uint32_t frameStart = platform_.clock.ticks();

    pointerInput_->sample();
    padInput_->sample();

    Scene& top = *sceneStack_.back();
    top.update();
    const bool picture = !listener_ || listener_->wantsPicture(frameNumber_);
    top.draw();
    if (picture) {
        if (listener_) listener_->frameDrawn(frameNumber_);
        platform_.window.present();
    }

    processSceneRequests();
    endFrame();
    pace(frameStart);
    return true;
}

void GameApp::endFrame() {
    if (listener_) listener_->frameEnded(frameNumber_);
    ++frameNumber_;
}

void GameApp::pace(std::uint32_t frameStart) {
    if (noWait_) {
        pumpMessages();
        platform_.clock.yield();
        return;
    }
    // Always pump at least once, also after a frame that took longer than the period.
    do {
        pumpMessages();
        const std::uint32_t sleepMs = pacingSleepMs(frameStart, platform_.clock.ticks());
        if (sleepMs > 0) {
            platform_.clock.sleep(sleepMs);
        } else {
            platform_.clock.nap();
        }
    } while (!frameDue(frameStart, platform_.clock.ticks()));
}

void GameApp::pumpMessages() { platform_.window.pumpEvents(*this); }

void GameApp::closeRequested() {
    if (ready_) quitRequested_ = true;
}

void GameApp::keyPressed(WindowKey key, bool repeat) {
    if (!ready_) return;
    if (key == WindowKey::kEscape) {
        quitRequested_ = true;
    } else if (key == WindowKey::kF4 && !repeat) {
        toggleFullscreen();
    }
}
