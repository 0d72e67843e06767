#pragma once
// A world for driving enemies without the shipped art: every enemy folder under data\puppets\ gets a
// small made-up model (part 0 a body, part 1 a sting; the last boss has fifteen parts with a hand
// joint on part 14) and every pose the enemies name, each pose file a little different so that a test
// can tell which one is set. The folder becomes the working directory; a game scene that is never
// entered holds the objects, a level ground 48 units long and a plain stand-in for the hero.

#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "temp_dir.h"

#include <filesystem>
#include <memory>
#include <string>
#include <typeinfo>

class EnemyWorld {
public:
    EnemyWorld();
    ~EnemyWorld();
    EnemyWorld(const EnemyWorld&) = delete;
    EnemyWorld& operator=(const EnemyWorld&) = delete;

    // Places an enemy as a stage file does (category 8, mask 5, scale, place, life, one update).
    template <class Kind>
    Kind& spawn(const char* name, float x, float y, float life = 1.0f, float scale = 1.0f) {
        scene.spawnEnemy(name, x, y, life, scale);
        Kind* made = dynamic_cast<Kind*>(scene.objects.back().get());
        if (!made) throw std::bad_cast();
        return *made;
    }
    // Moves the hero stand-in and updates it so that its position follows.
    void putHero(float x, float y);
    // A whole world step.
    void step();
    // Objects in the scene whose exact type is Kind (a SplitBubble is not counted as a Bubble).
    template <class Kind>
    int countExactly() const {
        int n = 0;
        for (const auto& object : scene.objects) {
            const GameObject& o = *object;
            n += typeid(o) == typeid(Kind);
        }
        return n;
    }
    // Rewrites the last boss's model with this many parts and no joints.
    void writeBossModel(int parts);

    TempDir dir;
    TextureCache textures;
    GameScene scene;
    PuppetObject* hero = nullptr;

private:
    std::filesystem::path previousDirectory_;
};

// Whether the puppet's current pose is the named pose file.
bool posedAs(const PuppetObject& object, const char* pose);
