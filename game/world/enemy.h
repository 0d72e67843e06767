#pragma once
// What every enemy shares: it faces the hero, steps through a small state machine paced by a frame
// counter, switches its attack on at the moment of striking, and once beaten falls apart and fades.

#include "game/world/puppet_object.h"

#include <cstdint>

class Enemy : public PuppetObject {
public:
    // A beaten enemy only fades; a living one acts. Either way the puppet then steps.
    void update() override;

    // +1 facing right, -1 facing left.
    float dir() const { return puppet.has(Puppet::facingRight) ? 1.0f : -1.0f; }
    // Turns towards the game scene's hero; stays as it is when there is none.
    void faceHero();
    // Counts the state timer down; true when it had already run out and a state action is due.
    bool timerStep();
    // Beaten enemies fade out over about 167 updates.
    void fade();
    // Slow walkers: a nudge towards where it faces whenever it has nearly stopped.
    void creep();
    // The game scene's hero, or null (no scene, or no stage started yet).
    static const PuppetObject* hero();
    // Whether the hero stands within `limit` along x, whole units only (the distance truncated).
    // Never true without a hero.
    bool heroWithin(float limit) const;

    std::int32_t state = 0;
    std::int32_t stateTimer = 0;  // updates to wait before the next state action

protected:
    // Most kinds are beaten once the puppet has fallen apart; kinds that let go of their own pose as
    // part of their act look at life instead.
    virtual bool beaten() const { return !puppet.has(Puppet::posed); }
    // One living update, before the puppet steps.
    virtual void act() {}
};

// Kinds that let their puppet go limp on purpose and so cannot tell defeat by the posed flag.
class LimpingEnemy : public Enemy {
protected:
    bool beaten() const override { return life < 0.0f; }
};
