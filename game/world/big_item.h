#pragma once

#include "game/world/item.h"

// Makes the hero bigger by the item's own scale; a second one makes it bigger again.
class BigItem final : public Item {
public:
    static constexpr const char* kModel = "data\\puppets\\Items\\ms.model";
    BigItem();

protected:
    void give(GameObject& hero) override;
};
