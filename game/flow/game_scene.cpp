#include "game/flow/game_scene.h"

#include "game/flow/camera.h"
#include "game/flow/pad_press.h"
#include "game/shell/config_file.h"
#include "game/shell/game_app.h"
#include "game/shell/music_player.h"
#include "game/shell/pointer_input.h"
#include "game/shell/sound_effects.h"
#include "game/world/puppet_object.h"

#include <algorithm>

float cameraZ = 0.0f;

namespace {

GameScene* theScene = nullptr;

constexpr const char* kTitleMusic = "data\\music\\m0.wav";
constexpr const char* kDeathMusic = "data\\music\\d1.wav";
constexpr const char* kPiko = "data\\sound\\piko.wav";
constexpr const char* kStartSound = "data\\sound\\start.wav";
constexpr const char* kTitlePicture = "data\\title\\0.png";
constexpr const char* kEndPicture = "data\\etc\\end.png";

// A hero is dead once its life is this low (as a float, 9.9999997e-6).
constexpr float kDeadLife = 0.00001f;
constexpr std::uint32_t kLeftMouse = 1u << 0;
constexpr std::uint32_t kRightMouse = 1u << 1;
constexpr std::uint32_t kReshapeButton = 1u << 3;  // V or joystick button 4

Texture loadTexture(const char* name) {
    TextureCache* cache = TextureCache::instance();
    return cache ? cache->load(name) : 0;
}

InputRecord padSample(std::uint32_t age) {
    const PadInput* pad = PadInput::instance();
    return pad ? pad->record(age) : InputRecord{};
}

PointerRecord pointerSample(std::uint32_t age) {
    const PointerInput* pointer = PointerInput::instance();
    return pointer ? pointer->record(age) : PointerRecord{};
}

}  // namespace

GameScene::GameScene() { theScene = this; }

GameScene::~GameScene() {
    hero = nullptr;
    objects.clear();
    backgroundSprites.clear();
    if (theScene == this) theScene = nullptr;
}

GameScene* GameScene::instance() { return theScene; }

void GameScene::addObject(std::unique_ptr<GameObject> object) {
    if (object) objects.push_back(std::move(object));
}

int GameScene::enemyCount() const { return countEnemies(objects); }

void GameScene::enter() {
    // Two game scenes may be stacked (a confirm on the logo's hand-over frame pushes a second one);
    // the one entered, including the lower one after the upper pops, is the one objects must reach.
    theScene = this;
    playMusic(kTitleMusic);
    curtainTexture = loadTexture(kTitlePicture);
    meterTexture = loadTexture("data\\etc\\meter.png");
    faceTexture = loadTexture("data\\etc\\face.png");
    skyTexture = loadTexture("data\\etc\\sky.png");
    endTexture = loadTexture(kEndPicture);
    continueTexture = loadTexture("data\\etc\\continue.png");
    modeTexture = loadTexture("data\\mode.png");

    const ConfigFile debug("data\\debug.cfg");
    // Past the staff stage there is nothing to play; a negative or huge number would overflow the
    // stage arithmetic.
    const std::int32_t startStage = std::clamp(debug.getInt("start_stage", 0), 0, kRegularStages + 2);
    cameraZ = debug.getFloat("z_pos", 8.0f);

    endingCounter = 0;
    hero = nullptr;
    continueState = 0;
    continueDelay = 0;
    menuState = 0;
    mode = 0;
    lastStage = kRegularStages;
    waitingForStart = false;
    stageNumber = startStage;
    nextStage();
}

void GameScene::nextStage() {
    if (stageNumber - 1 > lastStage) {
        endingCounter = 1;  // the staff stage is over
    } else {
        ++stageNumber;
        waitingForStart = true;
    }
    curtain.drop();
}

void GameScene::beginStage() {
    playSound(kPiko);
    startStage();
    curtain.lift();
    waitingForStart = false;
    playSound(kStartSound);
}

void GameScene::update() {
    const InputRecord pad = padSample(0);
    const bool confirm = newlyPressed(kConfirmButton);
    const PointerRecord pointer = pointerSample(0);
    const PointerRecord pointerBefore = pointerSample(1);

    curtain.step();

    if (menuState < 2) {
        if (pad.y > 0.5f) menuState = 0;
        if (pad.y < -0.5f) menuState = 1;
        if (confirm) {
            mode = menuState;
            menuState = 2;
            beginStage();
        }
        return;
    }

    if ((pointer.buttons & kRightMouse) && !(pointerBefore.buttons & kRightMouse)) killEnemies();

    if (waitingForStart) {
        if (confirm && curtain.isDown()) beginStage();
        return;
    }

    if (endingCounter > 0) {
        ++endingCounter;
        if (curtain.isDown() && confirm) {
            if (GameApp* app = GameApp::instance()) app->popScene();
        }
    }

    if (continueState == 0 && (!hero || hero->life <= kDeadLife)) {
        continueState = 1;
        continueDelay = kDeathFrames;
        playMusic(kDeathMusic);
    }
    if (continueDelay > 0) --continueDelay;
    if (continueState != 0 && continueDelay == 0) runContinuePrompt();

    // The world stands still behind a moving or hanging curtain, except after the hero's death.
    if (!curtain.isLifted() && hero && hero->life > 0.0f) return;
    runWorld();
}

// Every enemy is beaten at once, as a fatal hit would beat it: life below 0, limp and falling apart,
// and no longer an enemy, so that the stage's phases move on. Life alone would leave each one
// standing and counted until something touched it, which enemies out of the hero's reach never are.
void GameScene::killEnemies() {
    // Beaten as a collision beats them: with their category cleared they stop counting as enemies, so
    // the stage goes on as if the wave had been fought, and limp puppets fade out and are removed. A
    // life of -1 alone would leave every kind that waits for its puppet to go limp standing for ever.
    for (const auto& object : objects) {
        if (!object || object->category != kEnemyCategory) continue;
        object->life = -1.0f;
        object->category = 0;
        if (auto* figure = dynamic_cast<PuppetObject*>(object.get())) {
            figure->puppet.set(Puppet::posed, false);
            figure->puppet.set(Puppet::linked, false);
        }
    }
}

void GameScene::runContinuePrompt() {
    const InputRecord pad = padSample(0);
    if (pad.x < -0.5f) continueState = 1;
    if (pad.x > 0.5f) continueState = 2;
    if (!newlyPressed(kConfirmButton)) return;
    if (continueState == 1) {
        // The same stage again, from its start, behind the curtain.
        continueState = 0;
        continueDelay = 0;
        --stageNumber;
        nextStage();
    } else if (continueState == 2) {
        endingCounter = 1;
        curtain.drop();
        curtainTexture = loadTexture(kEndPicture);
    }
}

void GameScene::runWorld() {
    stepStagePhases();
    reshapeGround();
    ground.refresh();
    stepWorld(objects, ground);
    // The scene's pointer must never outlive the hero: one removed by the world counts as dead.
    if (hero && std::none_of(objects.begin(), objects.end(), [this](const auto& o) { return o.get() == hero; })) {
        hero = nullptr;
    }
}

// With the left button and V held, the ground sample under the cursor follows it up or down.
void GameScene::reshapeGround() {
    const PointerRecord pointer = pointerSample(0);
    if (!(pointer.buttons & kLeftMouse) || !hero) return;
    const GameApp* app = GameApp::instance();
    const std::int32_t windowHeight = app ? app->height() : 480;
    Vec2 at;
    if (!stagePointUnder(cameraPoint(hero->position, ground.lineCount()), cameraZ, pointer.x, pointer.y,
                         windowHeight, at)) {
        return;
    }
    if (!(at.x > -2147483648.0f && at.x < 2147483648.0f)) return;
    const std::int64_t column = static_cast<std::int32_t>(at.x);
    if (column < 0 || column >= static_cast<std::int64_t>(ground.heights.size())) return;
    if (padSample(0).buttons & kReshapeButton) ground.heights[static_cast<std::size_t>(column)] = at.y;
}

void GameScene::playSound(const char* name) { SoundEffects::play(name); }
void GameScene::playMusic(const char* name) { MusicPlayer::play(name); }
