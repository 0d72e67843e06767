#pragma once
// The interface of everything that moves in a stage. The world step drives objects only through
// these operations; every one has a default that does nothing or answers plainly.

#include "game/world/contact_line.h"
#include "game/world/hit_circle.h"
#include "puppet/model/vec2.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class Ground;

// Category bits: what an object is, for the collision masks of others.
inline constexpr std::uint32_t kHeroCategory = 4;  // the hero and its star
inline constexpr std::uint32_t kEnemyCategory = 8;
inline constexpr std::uint32_t kItemCategory = 16;

class GameObject {
public:
    GameObject() = default;
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    virtual ~GameObject();
    virtual std::vector<HitCircle>& hitCircles();
    virtual void update();
    virtual void draw();
    virtual void applyGravity(Vec2 v);
    virtual void push(Vec2 v);
    // Circle `circle` is `depth` inside a plane (a wall or the ceiling).
    virtual void planeContact(std::size_t circle, const ContactLine& plane, float depth);
    // Circle `circle` is `depth` below the ground line of `column`.
    virtual void groundContact(std::size_t circle, const Ground& ground, std::uint32_t column, float depth);
    // Own circle `ownCircle` touches circle `otherCircle` of `other`.
    virtual void collide(std::size_t ownCircle, GameObject& other, std::size_t otherCircle);
    // This object's attack landed with the impulse v.
    virtual void onHit(Vec2 v);
    virtual void damage(Vec2 v);
    virtual void moveTo(Vec2 point);
    virtual void setScale(float factor);
    virtual bool isAlive() const;
    virtual bool isInvincible() const;

    std::uint32_t category = 0;      // 0: nothing may hit it (also once beaten)
    std::uint32_t collidesWith = 0;  // the categories this object reacts to
    Vec2 position;
    float z = 0.0f;     // drawing depth and order
    float life = 1.0f;  // below 0 the object counts as beaten

protected:
    std::vector<HitCircle> hitCircles_;  // refreshed at every update
};
