#include "game/world/world_step.h"

#include "game/world/ground.h"

#include <algorithm>
#include <cmath>

namespace {

// Circles that are inside a plane or line get its contact, with how deep they are.
template <class Contact>
void testPlane(GameObject& object, const ContactLine& plane, Contact contact) {
    const std::vector<HitCircle>& circles = object.hitCircles();
    for (std::size_t k = 0; k < circles.size(); ++k) {
        const HitCircle& c = circles[k];
        const float s = plane.nx * c.x + plane.ny * c.y - plane.d - c.radius;
        if (s < 0.0f) contact(k, -s);
    }
}

void touchGround(GameObject& object, const Ground& ground) {
    const std::vector<HitCircle>& circles = object.hitCircles();
    for (std::size_t k = 0; k < circles.size(); ++k) {
        const HitCircle& c = circles[k];
        const std::uint32_t column = groundColumn(c.x);
        const ContactLine& line = ground.line(column);
        const float s = line.nx * c.x + line.ny * c.y - line.d - c.radius;
        if (s < 0.0f) object.groundContact(k, ground, column, -s);
    }
}

void touchBounds(GameObject& object, const Ground& ground) {
    const auto planeContact = [&object](const ContactLine& plane) {
        testPlane(object, plane, [&](std::size_t k, float depth) { object.planeContact(k, plane, depth); });
    };
    planeContact({0.0f, -1.0f, -kCeilingHeight});
    planeContact({1.0f, 0.0f, 0.0f});
    planeContact({-1.0f, 0.0f, -static_cast<float>(ground.lineCount())});
}

// The box around all of an object's circles. Empty objects get an inverted box that meets nothing.
struct CircleBox {
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    bool empty = true;
};

CircleBox boxOf(GameObject& object) {
    CircleBox box;
    for (const HitCircle& c : object.hitCircles()) {
        if (box.empty) {
            box = {c.x - c.radius, c.y - c.radius, c.x + c.radius, c.y + c.radius, false};
            continue;
        }
        box.minX = std::min(box.minX, c.x - c.radius);
        box.minY = std::min(box.minY, c.y - c.radius);
        box.maxX = std::max(box.maxX, c.x + c.radius);
        box.maxY = std::max(box.maxY, c.y + c.radius);
    }
    return box;
}

// Whether two objects' circles are certainly too far apart to touch, which spares the circle-by-circle
// test for most pairs. The margin keeps the shortcut from ever disagreeing with that test through
// rounding; NaN positions compare false and fall through to the full test.
bool farApart(const CircleBox& a, const CircleBox& b) {
    constexpr float margin = 1e-3f;
    if (a.empty || b.empty) return true;
    return a.maxX + margin < b.minX || b.maxX + margin < a.minX || a.maxY + margin < b.minY ||
           b.maxY + margin < a.minY;
}

// Every touching circle pair gets the earlier object's collide first, then the later one's, each only
// while its mask meets the other's category at that moment. Returns whether any collide was called.
bool collidePair(GameObject& a, GameObject& b) {
    bool touched = false;
    for (std::size_t i = 0; i < a.hitCircles().size(); ++i) {
        for (std::size_t j = 0; j < b.hitCircles().size(); ++j) {
            const HitCircle& ca = a.hitCircles()[i];
            const HitCircle& cb = b.hitCircles()[j];
            const float dx = cb.x - ca.x;
            const float dy = cb.y - ca.y;
            if (!(std::sqrt(dx * dx + dy * dy) < ca.radius + cb.radius)) continue;
            if (a.collidesWith & b.category) {
                a.collide(i, b, j);
                touched = true;
            }
            if (b.collidesWith & a.category) {
                b.collide(j, a, i);
                touched = true;
            }
        }
    }
    return touched;
}

}  // namespace

void stepWorld(ObjectList& objects, const Ground& ground) {
    // Objects made during the updates get no update of their own this step: their spawner gave them one.
    const std::size_t present = objects.size();
    for (std::size_t i = 0; i < present; ++i) {
        if (objects[i]) objects[i]->update();
    }

    // Indexes, not iterators or references: the list may grow (and move its storage) at any call.
    for (std::size_t i = 0; i < objects.size(); ++i) {
        GameObject* a = objects[i].get();
        if (!a) continue;
        a->applyGravity(kGravity);
        touchGround(*a, ground);
        touchBounds(*a, ground);
        CircleBox boxA = boxOf(*a);
        for (std::size_t j = i + 1; j < objects.size(); ++j) {
            GameObject* b = objects[j].get();
            if (!b) continue;
            if (!(a->collidesWith & b->category) && !(b->collidesWith & a->category)) continue;
            if (farApart(boxA, boxOf(*b))) continue;
            // A response may in principle change circles; take the box afresh after one.
            if (collidePair(*a, *b)) boxA = boxOf(*a);
        }
    }

    removeDeadObjects(objects);
}

void removeDeadObjects(ObjectList& objects) {
    std::erase_if(objects, [](const std::unique_ptr<GameObject>& object) { return !object || !object->isAlive(); });
}

int countEnemies(const ObjectList& objects) {
    return static_cast<int>(std::count_if(objects.begin(), objects.end(), [](const auto& object) {
        return object && (object->category & kEnemyCategory) != 0;
    }));
}
