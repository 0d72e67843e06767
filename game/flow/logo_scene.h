#pragma once
// The first scene and the bottom of the stack for the whole run: a puppet logo that the camera closes
// in on, which strikes five poses to two sound effects, goes limp, and is left behind as the camera
// backs away and the game starts. It stays under the game scene and plays again from the start when
// the game ends.

#include "game/shell/scene.h"
#include "puppet/model/puppet.h"

#include <cstdint>
#include <functional>
#include <memory>

class LogoScene : public Scene {
public:
    // What the logo hands over to; by default the game's scene. Tests and tools may choose another.
    using NextScene = std::function<std::unique_ptr<Scene>()>;

    static constexpr float kStartDistance = 20.0f;
    static constexpr float kClosestDistance = 3.5f;

    explicit LogoScene(NextScene next = {});
    ~LogoScene() override;

    void enter() override;
    void draw() override;
    void update() override;

    float cameraDistanceNow() const { return cameraDistance; }
    std::int32_t frameCountNow() const { return frameCount; }
    const Puppet& logoPuppet() const { return puppet; }

protected:
    // The logo's calls into audio, kept apart so that a test can listen to them.
    virtual void playSound(const char* name);
    virtual void stopMusic();

private:
    void startGame();

    Puppet puppet;
    float cameraDistance = kStartDistance;  // the eye's distance from the origin along +z
    std::int32_t frameCount = 0;            // the logo's own clock, running once the camera is close
    NextScene next_;
};
