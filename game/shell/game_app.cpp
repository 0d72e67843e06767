#include "game/shell/game_app.h"

#include "game/shell/config_file.h"
#include "datatree/host_path.h"
#include "datatree/whole_file.h"
#include "game/shell/frame_pacing.h"
#include "game/shell/sound_pause.h"
#include "game/graphics/png_reader.h"
#include "game/graphics/texture_cache.h"

#include <fstream>

namespace {
GameApp* theApp = nullptr;
constexpr std::uint32_t kPausedFrameMs = 20;
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

    if (fullscreen_) toggleFullscreen();
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
    platform_.window.setScaling(pictureScalingFromName(config.getString("scale", "fit").c_str()));
    // Without a size (or with a nonsense one) the window is as large as the desktop comfortably
    // holds in whole multiples of the picture; a size that is given is kept.
    std::int32_t usableWidth = 0, usableHeight = 0, fitWidth = 0, fitHeight = 0;
    platform_.window.usableDesktopSize(usableWidth, usableHeight);
    defaultWindowSize(usableWidth, usableHeight, fitWidth, fitHeight);
    width_ = config.getInt("width", fitWidth);
    height_ = config.getInt("height", fitHeight);
    if (width_ <= 0) width_ = fitWidth;
    if (height_ <= 0) height_ = fitHeight;
    // One toggle from the opposite state puts the window into its first mode and shows it.
    fullscreen_ = !config.getBool("full", false);
    toggleFullscreen();
}

void GameApp::toggleFullscreen() {
    if (!fullscreen_) {
        fullscreen_ = true;
        // A desktop that refuses full screen keeps the game in a window.
        if (!platform_.window.showFullscreen()) toggleFullscreen();
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
    if (paused_) {
        // The picture of the last frame is shown again; the game's own time stands still. A paused
        // game waits a frame's time even when unpaced, rather than keep a core busy.
        platform_.window.present();
        pumpMessages();
        platform_.clock.sleep(kPausedFrameMs);
        return true;
    }
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

void GameApp::setPaused(bool paused) {
    if (paused == paused_ || (paused && !pausable_)) return;
    paused_ = paused;
    platform_.window.setPauseShown(paused);
    sound_pause::set(paused);
}

void GameApp::focusChanged(bool focused) {
    if (focused) {
        hadFocus_ = true;  // coming back does not end a pause by itself
    } else if (hadFocus_ && focusPauses_) {
        setPaused(true);
    }
}

void GameApp::closeRequested() {
    if (ready_) quitRequested_ = true;
}

void GameApp::keyPressed(WindowKey key, bool repeat) {
    if (!ready_) return;
    if (key == WindowKey::kEscape) {
        quitRequested_ = true;
    } else if (key == WindowKey::kF4 && !repeat) {
        toggleFullscreen();
    } else if (key == WindowKey::kPause && !repeat) {
        setPaused(!paused_);
    } else if (key == WindowKey::kConfirm && !repeat && paused_) {
        setPaused(false);
    }
}
