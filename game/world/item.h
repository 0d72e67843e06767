#pragma once
// An item waiting to be taken: it fades in, and the first touch of the hero or of one of its stars
// gives the hero its effect, after which it fades out. It cannot be taken before it has fully shown.

#include "game/world/puppet_object.h"

#include <cstdint>

class Item : public PuppetObject {
public:
    static constexpr float kStartAlpha = 0.01f;
    static constexpr float kReadyAlpha = 0.9f;  // takeable above this opacity

    void update() override;
    void collide(std::size_t ownCircle, GameObject& other, std::size_t otherCircle) override;

    std::int32_t state = 0;  // 0 waiting, 1 taken

protected:
    Item(const char* modelPath, const char* posePath);
    // What taking the item does to the hero.
    virtual void give(GameObject& hero) = 0;
};

// The pose every item is made in.
inline constexpr const char* kItemPose = "data\\puppets\\Items\\0.pose";
