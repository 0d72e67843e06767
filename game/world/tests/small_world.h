#pragma once
// A small world for driving the game's objects directly: the built data set as working directory, a
// headless texture cache, a game scene that is never entered (it only holds the objects, the ground
// and the hero), a level ground 48 units long at height 0, and a pad played by the test.

#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "game/shell/pad_input.h"
#include "game/world/hero.h"
#include "platform/input_devices.h"

#include <filesystem>
#include <memory>

// Every build makes the data set, so a missing one is a broken build, not a reason to pass.
#define REQUIRE_DATA_SET()                                                                              \
    ASSERT_TRUE(SmallWorld::dataSetBuilt()) << "no data set in " DOLVANE_RUN_DIR                        \
                                               ": build the content target (content tools missing? run " \
                                               "scripts/install-deps)"

class KeysPad : public PadDevice {
public:
    std::uint32_t heldKeys() override { return keys; }
    bool readJoystick(JoystickPosition&) override { return false; }
    std::uint32_t keys = 0;
};

class SmallWorld {
public:
    SmallWorld();
    ~SmallWorld();
    SmallWorld(const SmallWorld&) = delete;
    SmallWorld& operator=(const SmallWorld&) = delete;

    static bool dataSetBuilt();

    // A hero set up as a stage start does, at (x, y), added to the scene.
    Hero& addHero(float x = 6.0f, float y = 4.0f);
    // Adds an object with the given category and mask, scale and place, updated once.
    template <class Object>
    Object& add(std::unique_ptr<Object> object, std::uint32_t category, std::uint32_t mask, Vec2 at,
                float scale = 1.0f) {
        Object& added = *object;
        object->category = category;
        object->collidesWith = mask;
        object->setScale(scale);
        object->moveTo(at);
        object->update();
        scene.addObject(std::move(object));
        return added;
    }

    // Samples the pad with these keys held (PadKey bits), as the main loop does at a frame's start.
    void press(std::uint32_t keys);
    // A whole frame: pad sample, then one world step.
    void frame(std::uint32_t keys);
    // Objects of the given type now in the scene.
    template <class Object>
    int count() const {
        int n = 0;
        for (const auto& object : scene.objects) n += dynamic_cast<const Object*>(object.get()) != nullptr;
        return n;
    }

    KeysPad keys;
    TextureCache textures;
    PadInput pad{keys};
    GameScene scene;

private:
    std::filesystem::path previousDirectory_;
};
