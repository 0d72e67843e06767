#pragma once
// A flat word puppet that pops up: hit sounds ("Zaku", "Don", ...), stage titles, "Warning", "Clear".
// It flies while posed, crumbles into loose letters at its first touch of the ground, the ceiling or a
// wall, and then fades in 50 updates. Nothing collides with it.

#include "game/world/puppet_object.h"

class Word : public PuppetObject {
public:
    static constexpr float kFadeStep = 0.02f;

    Word(const char* modelPath, const char* posePath);
    void update() override;
    void planeContact(std::size_t circle, const ContactLine& plane, float depth) override;
    void groundContact(std::size_t circle, const Ground& ground, std::uint32_t column, float depth) override;
};
