#include "game/world/puppet_object.h"

#include "game/world/ground.h"

#include <algorithm>
#include <cmath>

namespace {

Vec2 scaled(Vec2 v, float k) { return {v.x * k, v.y * k}; }
Vec2 normalOf(const ContactLine& line) { return {line.nx, line.ny}; }

}  // namespace

PuppetObject::PuppetObject() = default;
PuppetObject::~PuppetObject() = default;

PuppetPart* PuppetObject::partOf(std::size_t circle) {
    if (circle >= hitSource.size()) return nullptr;
    const HitSource& source = hitSource[circle];
    if (source.part < 0 || static_cast<std::size_t>(source.part) >= puppet.parts.size()) return nullptr;
    return &puppet.parts[static_cast<std::size_t>(source.part)];
}

PointMass* PuppetObject::boundOf(std::size_t circle) {
    PuppetPart* part = partOf(circle);
    if (!part) return nullptr;
    const std::int32_t bound = hitSource[circle].bound;
    if (bound < 0 || static_cast<std::size_t>(bound) >= part->boundCentres.size()) return nullptr;
    return &part->boundCentres[static_cast<std::size_t>(bound)];
}

std::int32_t PuppetObject::sourceKind(std::size_t circle) {
    PuppetPart* part = partOf(circle);
    const std::int32_t bound = hitSource[circle].bound;
    if (!part || static_cast<std::size_t>(bound) >= part->boundKinds.size()) return kInertHit;
    return part->boundKinds[static_cast<std::size_t>(bound)];
}

void PuppetObject::buildHits() {
    hitCircles_.clear();
    hitSource.clear();
    for (std::size_t p = 0; p < puppet.parts.size(); ++p) {
        const PuppetPart& part = puppet.parts[p];
        for (std::size_t b = 0; b < part.boundCentres.size(); ++b) {
            const PointMass& centre = part.boundCentres[b];
            HitCircle circle;
            circle.x = centre.x;
            circle.y = centre.y;
            circle.radius = b < part.boundRadii.size() ? part.boundRadii[b] : 0.0f;
            circle.vx = centre.x - centre.prevX;
            circle.vy = centre.y - centre.prevY;
            circle.kind = b < part.boundKinds.size() ? part.boundKinds[b] : kInertHit;
            hitCircles_.push_back(circle);
            hitSource.push_back({static_cast<std::int32_t>(p), static_cast<std::int32_t>(b)});
        }
    }
}

void PuppetObject::refreshHits() {
    for (std::size_t k = 0; k < hitCircles_.size(); ++k) {
        HitCircle& circle = hitCircles_[k];
        const PointMass* centre = boundOf(k);
        if (!centre) {
            circle.kind = kInertHit;  // its bound is gone: the circle stays put and harms nothing
            continue;
        }
        circle.x = centre->x;
        circle.y = centre->y;
        circle.vx = centre->x - centre->prevX;
        circle.vy = centre->y - centre->prevY;
        const std::int32_t kind = sourceKind(k);
        // Attack bounds are live only while the attack lasts.
        circle.kind = (kind == kAttackHit && attackTimer <= 0) ? kInertHit : kind;
    }
}

void PuppetObject::update() {
    attackTimer = std::max(attackTimer - 1, 0);
    hurtTimer = std::max(hurtTimer - 1, 0);
    puppet.step();
    position = puppet.centre();
    refreshHits();
    onGround = false;
}

void PuppetObject::draw() { puppet.draw(z, alpha); }
void PuppetObject::applyGravity(Vec2 v) { puppet.push(v); }
void PuppetObject::push(Vec2 v) { puppet.push(v); }

void PuppetObject::planeContact(std::size_t circle, const ContactLine& plane, float depth) {
    PuppetPart* part = partOf(circle);
    if (!part) return;
    part->push(scaled(normalOf(plane), depth));
    part->damp({0.1f, 0.1f});
}

void PuppetObject::groundContact(std::size_t circle, const Ground& ground, std::uint32_t column, float depth) {
    PuppetPart* part = partOf(circle);
    if (!part) return;
    const ContactLine& line = ground.line(column);
    const Vec2 out = scaled(normalOf(line), depth);
    if (puppet.has(Puppet::posed)) {
        // A posed figure is lifted as a whole a little and the touching part fully, and stops there.
        puppet.push(scaled(out, 0.1f));
        part->push(out);
        part->damp({0.1f, 0.1f});
    } else {
        // A limp one only has the touching part set back on the ground, and slides on.
        part->push(scaled(out, 0.5f));
        if (PointMass* centre = boundOf(circle)) {
            centre->x += out.x;
            centre->y += out.y;
        }
        part->damp({0.95f, 0.95f});
    }
    const float length = std::sqrt(line.nx * line.nx + line.ny * line.ny);
    if (length > 0.0f) {
        const float cosine = std::clamp(line.ny / length, -1.0f, 1.0f);
        if (std::acos(cosine) < kStandableSlope) onGround = true;
    }
}

void PuppetObject::collide(std::size_t ownCircle, GameObject& other, std::size_t otherCircle) {
    const std::vector<HitCircle>& theirs = other.hitCircles();
    PuppetPart* part = partOf(ownCircle);
    const PointMass* centre = boundOf(ownCircle);
    if (!part || !centre || ownCircle >= hitCircles_.size() || otherCircle >= theirs.size()) return;

    const HitCircle their = theirs[otherCircle];
    const std::int32_t ownKind = hitCircles_[ownCircle].kind;
    const Vec2 rel{their.vx - (centre->x - centre->prevX), their.vy - (centre->y - centre->prevY)};

    if (puppet.has(Puppet::posed)) {
        puppet.push(scaled(rel, 0.1f));
        part->push(rel);
    } else {
        part->push(scaled(rel, 0.2f));
    }

    if (!isInvincible() && ownKind == kBodyHit && their.kind == kAttackHit) {
        other.onHit(rel);
        damage(rel);
    }
    if (!other.isInvincible() && ownKind == kAttackHit && their.kind == kBodyHit) {
        onHit(rel);
        other.damage(rel);
    }
    if (life < 0.0f) {
        // Beaten: the figure falls limp, comes apart, and nothing reacts to it any more.
        puppet.set(Puppet::posed, false);
        puppet.set(Puppet::linked, false);
        category = 0;
    }
}

void PuppetObject::damage(Vec2 v) {
    hurtTimer = kHurtFrames;
    // The faster the circles meet, the more it hurts.
    life -= std::sqrt(v.x * v.x + v.y * v.y) * 0.1f;
}

void PuppetObject::moveTo(Vec2 point) { puppet.move({point.x - position.x, point.y - position.y}); }
void PuppetObject::setScale(float factor) { puppet.scale(factor); }
bool PuppetObject::isAlive() const { return alpha > 0.0f; }
bool PuppetObject::isInvincible() const { return hurtTimer != 0; }
