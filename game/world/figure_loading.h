#pragma once
// What every object's constructor does to become a figure of the world: load the model, set the first
// pose, hold it, build the hit circles, and pick the part the figure turns around.

#include "game/world/puppet_object.h"

#include <cstdint>

void loadFigure(PuppetObject& object, const char* modelPath, const char* posePath, std::int32_t rootPart = 0);
