#pragma once
// What every enemy shares: it faces the hero, steps through a small state machine paced by a frame
// counter, switches its attack on at the moment of striking, and once beaten falls apart and fades.

#include "game/world/puppet_object.h"

#include <cstdint>

class Enemy : public PuppetObject {
public:
    // +1 facing right, -1 facing left.
    float dir() const { return puppet.has(Puppet::facingRight) ? 1.0f : -1.0f; }
    // Turns towards the game scene's hero; stays as it is when there is none.
    void faceHero();
    // Counts the state timer down; true when it had already run out and a state action is due.
    bool timerStep();
    // Beaten enemies fade out over about 167 updates.
    void fade();

    std::int32_t state = 0;
    std::int32_t stateTimer = 0;  // updates to wait before the next state action
};
