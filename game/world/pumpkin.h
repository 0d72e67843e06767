#pragma once

#include "game/world/item.h"

// Gives back life: 0.2 for a pumpkin of scale 1, never above full.
class Pumpkin final : public Item {
public:
    static constexpr const char* kModel = "data\\puppets\\Items\\pumpkin.model";
    Pumpkin();

protected:
    void give(GameObject& hero) override;
};
