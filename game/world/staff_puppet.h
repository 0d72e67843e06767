#pragma once
// One credited person of the staff stage: it floats down slowly and, once beaten, fades out slowly.

#include "game/world/puppet_object.h"

class StaffPuppet : public PuppetObject {
public:
    StaffPuppet(const char* modelPath, const char* posePath);
    void update() override;
    void applyGravity(Vec2 g) override;
};
