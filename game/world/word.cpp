#include "game/world/word.h"

#include "game/world/figure_loading.h"
#include "game/world/ground.h"

Word::Word(const char* modelPath, const char* posePath) { loadFigure(*this, modelPath, posePath); }

void Word::update() {
    if (!puppet.has(Puppet::posed)) alpha -= kFadeStep;
    PuppetObject::update();
}

void Word::planeContact(std::size_t circle, const ContactLine& plane, float depth) {
    puppet.set(Puppet::posed, false);
    PuppetObject::planeContact(circle, plane, depth);
}

void Word::groundContact(std::size_t circle, const Ground& ground, std::uint32_t column, float depth) {
    puppet.set(Puppet::posed, false);
    // The letters slide apart on the ground; words never stand on it.
    PuppetPart* part = partOf(circle);
    if (!part) return;
    const ContactLine& line = ground.line(column);
    const Vec2 out{line.nx * depth, line.ny * depth};
    part->push(out);
    if (PointMass* centre = boundOf(circle)) {
        centre->x += out.x;
        centre->y += out.y;
    }
    part->damp({0.95f, 0.95f});
}
