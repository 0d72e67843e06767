#include "game/world/big_item.h"

BigItem::BigItem() : Item(kModel, kItemPose) {}

void BigItem::give(GameObject& hero) { hero.setScale(puppet.poseScale); }
