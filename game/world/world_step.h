#pragma once
// The per-frame step of the game world and its drawing pass, run by the game scene over its object
// list. Objects that objects make during the step are appended to the same list and take part in the
// rest of that step.

#include "game/world/game_object.h"

#include <memory>
#include <vector>

class Ground;

// Owning list in the order of adding. Indexes stay valid while objects are appended; removal keeps
// the order of the survivors.
using ObjectList = std::vector<std::unique_ptr<GameObject>>;

inline constexpr Vec2 kGravity{0.0f, -0.01f};
inline constexpr float kCeilingHeight = 12.0f;

// 1. Updates the objects present when the step begins, in list order. 2. For each object in list order,
// those appended during the step included: gravity; ground, ceiling and end walls; every later object
// whose masks meet it, circle against circle. 3. Deletes the objects that are no longer alive.
void stepWorld(ObjectList& objects, const Ground& ground);

// Deletes every object whose isAlive is false, keeping the order of the rest.
void removeDeadObjects(ObjectList& objects);

// Draws the objects farthest first (z ascending; equal depths in list order) with depth writes and
// lighting off.
void drawObjects(const ObjectList& objects);

// How many objects are enemies (category bit 8): the stage phases wait for this to reach 0.
int countEnemies(const ObjectList& objects);
