#include "game/world/world_step.h"

#include <GL/gl.h>

#include <algorithm>

void drawObjects(const ObjectList& objects) {
    std::vector<GameObject*> order;
    order.reserve(objects.size());
    for (const auto& object : objects) {
        if (object) order.push_back(object.get());
    }
    std::stable_sort(order.begin(), order.end(), [](const GameObject* a, const GameObject* b) { return a->z < b->z; });

    // The flat parts overlap by painter's order, not by depth test, so depth is not written.
    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    for (GameObject* object : order) object->draw();
}
