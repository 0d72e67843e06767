#pragma once
// A flat decoration of a stage: one puppet part drawn behind the objects, at its own depth and
// opacity. It takes no part in the world step.

#include "puppet/model/puppet_part.h"

struct BackgroundSprite : PuppetPart {
    float z = 0.0f;      // added to the stage's background depth when drawn
    float alpha = 1.0f;  // opacity
};
