#pragma once
// The words that pop out of hits and leaps ("Zaku", "Iyan", "Uki", "Don", "Ora"): made by name, thrown
// a little upwards from a point and handed to the game scene. They fall, crumble on the ground and fade.

#include "puppet/model/vec2.h"

// Mask of a popped word: a category no object has, so that it touches only ground, ceiling and walls.
inline constexpr unsigned kWordMask = 1;

// createWord name, mask 1, scale, moved to point, pushed by (0, 0.2), one update, then added to the
// scene. Without a scene the word is dropped.
void popWord(const char* name, float scale, Vec2 point);
