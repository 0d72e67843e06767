#pragma once
// A crate on the stage. The first blow breaks it: it drops its item, falls apart and fades.

#include "game/world/puppet_object.h"

#include <cstdint>
#include <string>

class ItemBox : public PuppetObject {
public:
    static constexpr const char* kModel = "data\\puppets\\Items\\box.model";
    static constexpr const char* kPose = "data\\puppets\\Items\\0.pose";

    // itemName: what the box drops, made by name ("BigItem", "Pumpkin").
    explicit ItemBox(std::string itemName);
    void update() override;
    void damage(Vec2 v) override;

    const std::string& itemName() const { return itemName_; }

    std::int32_t state = 0;  // 0 whole, 1 broken

private:
    void dropItem();

    std::string itemName_;
};
