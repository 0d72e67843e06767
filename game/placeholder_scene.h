#pragma once
// The stand-in first scene: a little puppet theatre with a marionette that walks with the pad's
// arrows and hops on Z, and a picture from data\ hung up as a poster.

#include "game/graphics/texture_cache.h"
#include "game/shell/scene.h"

#include <cstdint>
#include <string>

class PlaceholderScene final : public Scene {
public:
    void enter() override;
    void update() override;
    void draw() override;

    float figureX() const { return figureX_; }
    float figureHeight() const { return figureHeight_; }

private:
    void drawBackdrop() const;
    void drawPoster() const;
    void drawMarionette() const;
    void drawCurtains() const;

    std::string poster_;  // game path of the poster picture, empty when data\ holds none
    Texture posterTexture_ = 0;
    float figureX_ = 320;
    float figureHeight_ = 0;  // above the stage floor
    float risingSpeed_ = 0;
    float walkPhase_ = 0;
    bool facingLeft_ = false;
    std::uint32_t frame_ = 0;
};

// The title picture when there is one, else the first PNG under data\ in name order, as a game path;
// empty when there is none.
std::string findPosterPicture();
