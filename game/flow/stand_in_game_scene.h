#pragma once
// Stands in for the game scene until the real one exists, so that the whole cycle of screens can be
// played: the curtain hangs over the title picture; a press lifts it off a level stage, the next press
// drops it again, and a press once it is down pops this scene and the logo plays again.

#include "game/graphics/curtain.h"
#include "game/shell/scene.h"
#include "game/world/ground.h"

#include <cstdint>
#include <memory>

class StandInGameScene final : public Scene {
public:
    void enter() override;
    void update() override;
    void draw() override;

    const Curtain& curtain() const { return curtain_; }

private:
    enum class Phase { title, playing, ending };

    Curtain curtain_;
    Ground ground_;
    std::uint32_t curtainTexture_ = 0;
    Phase phase_ = Phase::title;
};

// The scene the logo hands over to.
std::unique_ptr<Scene> makeGameScene();
