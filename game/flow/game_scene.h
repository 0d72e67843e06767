#pragma once
// The scene of play, from the title to the ending. Its screens are states of this one scene, each
// change hidden behind the curtain: the title with its mode menu, the stages with their phases, the
// pause between stages, the continue prompt after the hero's death and the ending, after which the
// scene pops itself and the logo plays again. Objects reach it through GameScene::instance to add
// objects, find the hero and read the ground.

#include "game/graphics/curtain.h"
#include "game/graphics/texture_cache.h"
#include "game/shell/scene.h"
#include "game/world/background_sprite.h"
#include "game/world/ground.h"
#include "game/world/puppet_object.h"
#include "game/world/world_step.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The camera's distance in front of the stage plane, from data\debug.cfg's z_pos at every enter.
extern float cameraZ;

class GameScene : public Scene {
public:
    static constexpr std::int32_t kRegularStages = 7;
    static constexpr std::int32_t kDeathFrames = 100;  // from the hero's death to the continue prompt

    GameScene();
    ~GameScene() override;
    GameScene(const GameScene&) = delete;
    GameScene& operator=(const GameScene&) = delete;

    // The scene while it exists, else null.
    static GameScene* instance();

    void enter() override;
    void update() override;
    void draw() override;

    // Takes ownership and appends to the object list; objects may call it during the world step.
    void addObject(std::unique_ptr<GameObject> object);
    // Objects whose category has the enemy bit.
    int enemyCount() const;
    // Past the staff stage: the ending. Otherwise the next stage waits for a confirm. Drops the curtain.
    void nextStage();

    // Stages: files of stageNumber - 1 under data\stage\ (mode 0) or data\crazy\ (mode 1).
    void startStage();
    void stepStagePhases();
    void spawnEnemy(const char* name, float x, float y, float life, float scale);
    void spawnItem(const char* name, float x, float y, float scale);
    void showWord(const char* name, float scale);
    void loadBackground(const std::string& path);
    void loadEnemies(const std::string& path);
    void loadItems(const std::string& path);
    // "data\stage\" or "data\crazy\", by mode.
    std::string stageDirectory() const;
    bool inStaffStage() const { return stageNumber == lastStage + 2; }

    Curtain curtain;
    Texture curtainTexture = 0;  // the title picture, or the ending picture after giving up
    Texture meterTexture = 0;
    Texture faceTexture = 0;
    Texture skyTexture = 0;
    Texture endTexture = 0;
    Texture continueTexture = 0;
    Texture modeTexture = 0;
    Ground ground;
    PuppetObject* hero = nullptr;  // not owning; null until the first stage starts
    ObjectList objects;            // in the order of adding
    std::vector<std::unique_ptr<BackgroundSprite>> backgroundSprites;
    std::int32_t continueState = 0;  // 0 no prompt; 1 continue chosen; 2 give up chosen
    std::int32_t continueDelay = 0;  // frames before the prompt shows and listens
    std::int32_t menuState = 0;      // 0 upper item; 1 lower item; 2 past the title
    std::int32_t mode = 0;           // 0 the normal stages; 1 the crazy set
    std::int32_t stageNumber = 0;    // counting from 1
    std::int32_t stagePhase = 0;
    std::int32_t phaseTimer = 0;
    std::int32_t lastStage = kRegularStages;
    bool waitingForStart = false;     // between stages: a confirm starts the next one
    std::int32_t endingCounter = 0;  // 0 not ending; from 1 up, frames of the ending

protected:
    // The scene's audio requests, kept apart so that a test can listen to them.
    virtual void playSound(const char* name);
    virtual void playMusic(const char* name);

private:
    void beginStage();
    void readAhead();
    void reshapeGround();
    void killEnemies();
    void runContinuePrompt();
    void runWorld();
};
