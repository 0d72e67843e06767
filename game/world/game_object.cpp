#include "game/world/game_object.h"

GameObject::~GameObject() = default;
std::vector<HitCircle>& GameObject::hitCircles() { return hitCircles_; }
void GameObject::update() {}
void GameObject::draw() {}
void GameObject::applyGravity(Vec2) {}
void GameObject::push(Vec2) {}
void GameObject::planeContact(std::size_t, const ContactLine&, float) {}
void GameObject::groundContact(std::size_t, const Ground&, std::uint32_t, float) {}
void GameObject::collide(std::size_t, GameObject&, std::size_t) {}
void GameObject::onHit(Vec2) {}
void GameObject::damage(Vec2) {}
void GameObject::moveTo(Vec2) {}
void GameObject::setScale(float) {}
bool GameObject::isAlive() const { return life > 0.0f; }
bool GameObject::isInvincible() const { return false; }
