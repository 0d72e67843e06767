#pragma once
// A game object that is a puppet: every object of the game derives from it. It keeps one hit circle
// per bound circle of its puppet's parts and answers the world's pushes, contacts and hits by acting
// on the puppet.

#include "game/world/game_object.h"
#include "puppet/model/puppet.h"

#include <cstdint>
#include <vector>

// Where a hit circle comes from: bound `bound` of part `part` of the puppet.
struct HitSource {
    std::int32_t part = 0;
    std::int32_t bound = 0;
};

class PuppetObject : public GameObject {
public:
    static constexpr std::int32_t kHurtFrames = 25;  // frames without damage after every hit taken
    // Lines steeper than this (radians from level, just under 45 degrees) are not ground to stand on.
    static constexpr float kStandableSlope = 0.785375f;

    PuppetObject();
    ~PuppetObject() override;
    void update() override;
    void draw() override;
    void applyGravity(Vec2 v) override;
    void push(Vec2 v) override;
    void planeContact(std::size_t circle, const ContactLine& plane, float depth) override;
    void groundContact(std::size_t circle, const Ground& ground, std::uint32_t column, float depth) override;
    void collide(std::size_t ownCircle, GameObject& other, std::size_t otherCircle) override;
    void damage(Vec2 v) override;
    void moveTo(Vec2 point) override;
    void setScale(float factor) override;
    bool isAlive() const override;
    bool isInvincible() const override;
    // Copies the bound points' places, velocities and live kinds into the circles.
    virtual void refreshHits();

    // Rebuilds the circles from the puppet's parts: one per bound, in part order then bound order.
    // Called once by every concrete constructor after the model, first pose and posed flag are set.
    void buildHits();

    Puppet puppet;
    std::vector<HitSource> hitSource;  // for circle k, its part and bound
    float alpha = 1.0f;                // drawing opacity; the object is removed once it is 0 or less
    bool onGround = false;
    std::int32_t attackTimer = 0;  // frames left in which attack bounds are live
    std::int32_t hurtTimer = 0;    // frames left in which the object cannot be damaged

protected:
    // The part and bound point behind a circle, or null when the puppet no longer has them (a model
    // reloaded after the circles were built).
    PuppetPart* partOf(std::size_t circle);
    PointMass* boundOf(std::size_t circle);

private:
    std::int32_t sourceKind(std::size_t circle);
};
