#pragma once
// Objects and words by name, as stage files and other objects ask for them. Names match exactly, byte
// for byte and letter case included; a name that matches no row never fails: createObject makes a
// bubble, createWord an "Uki". The caller sets category, mask, scale and position and hands the new
// object to the game scene.

#include "game/world/puppet_object.h"

#include <memory>

std::unique_ptr<PuppetObject> createObject(const char* name);
std::unique_ptr<PuppetObject> createWord(const char* name);

// The model and first pose a word name loads ("Uki"'s for unknown names).
struct WordFiles {
    const char* model;
    const char* pose;
};
WordFiles wordFiles(const char* name);
