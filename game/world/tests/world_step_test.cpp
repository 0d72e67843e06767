#include "game/world/world_step.h"

#include "game/world/ground.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A bare object with circles set by the test, writing every call the world makes into a shared log.
class Probe : public GameObject {
public:
    Probe(std::string name, std::vector<std::string>& log, std::vector<HitCircle> circles = {})
        : name_(std::move(name)), log_(log) {
        hitCircles_ = std::move(circles);
    }

    void update() override {
        ++updates;
        if (onUpdate) onUpdate();
    }
    void applyGravity(Vec2 v) override {
        ++gravity;
        lastGravity = v;
    }
    void planeContact(std::size_t circle, const ContactLine& plane, float depth) override {
        log_.push_back(name_ + " plane " + std::to_string(circle) + " " + fmt(plane.nx) + "," + fmt(plane.ny) +
                       "," + fmt(plane.d) + " " + fmt(depth));
    }
    void groundContact(std::size_t circle, const Ground&, std::uint32_t column, float depth) override {
        log_.push_back(name_ + " ground " + std::to_string(circle) + " col " + std::to_string(column) + " " +
                       fmt(depth));
    }
    void collide(std::size_t own, GameObject& other, std::size_t theirs) override {
        log_.push_back(name_ + " collide " + std::to_string(own) + " " + static_cast<Probe&>(other).name_ + " " +
                       std::to_string(theirs));
        if (onCollide) onCollide();
    }
    bool isAlive() const override { return alive; }

    static std::string fmt(float v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", static_cast<double>(v));
        return text;
    }

    int updates = 0;
    int gravity = 0;
    Vec2 lastGravity;
    bool alive = true;
    std::function<void()> onUpdate;
    std::function<void()> onCollide;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

HitCircle circleAt(float x, float y, float r) {
    HitCircle c;
    c.x = x;
    c.y = y;
    c.radius = r;
    return c;
}

Ground groundOf(std::vector<float> heights) {
    Ground ground;
    ground.heights = std::move(heights);
    ground.refresh();
    return ground;
}

Probe& add(ObjectList& objects, std::unique_ptr<Probe> probe) {
    Probe& ref = *probe;
    objects.push_back(std::move(probe));
    return ref;
}

}  // namespace

TEST(WorldStep, GroundColumnsWallsAndCeiling) {
    // Line 0 slopes down from 1 to 0; everything past it is level at 0. N = 3.
    const Ground ground = groundOf({1.0f, 0.0f, 0.0f, 0.0f});
    std::vector<std::string> log;
    ObjectList objects;
    add(objects, std::make_unique<Probe>(
                     "a", log,
                     std::vector<HitCircle>{
                         circleAt(-0.5f, 0.5f, 0.1f),   // column 0 by truncation toward zero: under line 0
                         circleAt(-1.0f, 0.5f, 0.1f),   // beyond on the left: the flat line, clear of it
                         circleAt(3.5f, -0.05f, 0.1f),  // beyond on the right: the flat line, 0.15 under
                         circleAt(2.0f, 11.95f, 0.1f),  // touching the ceiling by 0.05
                     }));
    stepWorld(objects, ground);

    const std::vector<std::string> expected = {
        "a ground 0 col 0 0.807",
        "a ground 2 col 3 0.150",
        "a plane 3 0.000,-1.000,-12.000 0.050",
        "a plane 0 1.000,0.000,0.000 0.600",
        "a plane 1 1.000,0.000,0.000 1.100",
        "a plane 2 -1.000,0.000,-3.000 0.600",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(objects.size(), 1u);
}

TEST(WorldStep, PairsCollideTwiceInOrderOnlyWhereMasksMeet) {
    const Ground ground = groundOf(std::vector<float>(12, 5.0f));  // below every circle
    std::vector<std::string> log;
    ObjectList objects;
    // Circles high up, clear of the ground (at 5) and the walls.
    Probe& hero = add(objects, std::make_unique<Probe>(
                                   "hero", log,
                                   std::vector<HitCircle>{circleAt(2.0f, 8.0f, 0.5f), circleAt(4.0f, 8.0f, 0.5f)}));
    Probe& enemy = add(objects, std::make_unique<Probe>(
                                    "enemy", log,
                                    std::vector<HitCircle>{circleAt(9.0f, 8.0f, 0.5f), circleAt(4.9f, 8.0f, 0.5f)}));
    Probe& item = add(objects, std::make_unique<Probe>("item", log, std::vector<HitCircle>{circleAt(2.5f, 8.0f, 0.5f)}));
    hero.category = kHeroCategory;
    hero.collidesWith = 25;
    enemy.category = kEnemyCategory;
    enemy.collidesWith = 5;
    item.category = kItemCategory;
    item.collidesWith = 0;  // only the hero reacts to it

    stepWorld(objects, ground);
    const std::vector<std::string> expected = {
        "hero collide 1 enemy 1",
        "enemy collide 1 hero 1",
        "hero collide 0 item 0",
    };
    EXPECT_EQ(log, expected);
    for (const auto& object : objects) EXPECT_EQ(static_cast<Probe&>(*object).gravity, 1);
    EXPECT_FLOAT_EQ(hero.lastGravity.y, -0.01f);

    // Circles exactly one sum of radii apart do not touch; enemies ignore one another.
    log.clear();
    hero.hitCircles() = {circleAt(2.0f, 8.0f, 0.5f)};
    enemy.hitCircles() = {circleAt(3.0f, 8.0f, 0.5f)};
    item.category = kEnemyCategory;
    item.collidesWith = 5;
    item.hitCircles() = {circleAt(2.8f, 8.0f, 0.5f)};
    stepWorld(objects, ground);
    EXPECT_EQ(log, (std::vector<std::string>{"hero collide 0 item 0", "item collide 0 hero 0"}));

    // Just inside the sum of the radii, diagonally, with far-off circles widening the objects: touching.
    log.clear();
    item.category = 0;
    item.collidesWith = 0;
    hero.hitCircles() = {circleAt(1.0f, 9.0f, 0.2f), circleAt(2.0f, 8.0f, 0.5f)};
    enemy.hitCircles() = {circleAt(2.0f + 0.7071f, 8.0f - 0.7071f, 0.5f), circleAt(7.0f, 10.0f, 0.3f)};
    stepWorld(objects, ground);
    EXPECT_EQ(log, (std::vector<std::string>{"hero collide 1 enemy 0", "enemy collide 0 hero 1"}));
}

TEST(WorldStep, ObjectsMadeDuringTheStepJoinItAndTheDeadGoInOrder) {
    const Ground ground = groundOf({0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    std::vector<std::string> log;
    ObjectList objects;
    Probe& spawner = add(objects, std::make_unique<Probe>("spawner", log, std::vector<HitCircle>{circleAt(1.0f, 3.0f, 0.5f)}));
    Probe& target = add(objects, std::make_unique<Probe>("target", log, std::vector<HitCircle>{circleAt(3.0f, 3.0f, 0.5f)}));
    target.category = kEnemyCategory;
    target.collidesWith = kHeroCategory;

    // The spawner throws a star during its update, as the hero does; the star's spawner has updated
    // it once already.
    Probe* star = nullptr;
    spawner.onUpdate = [&] {
        if (star) return;
        auto made = std::make_unique<Probe>("star", log, std::vector<HitCircle>{circleAt(3.2f, 3.0f, 0.5f)});
        made->category = kHeroCategory;
        made->collidesWith = kEnemyCategory;
        star = made.get();
        // Enough objects to force the list to move its storage mid-step.
        for (int i = 0; i < 64; ++i) objects.push_back(std::make_unique<Probe>("filler", log));
        objects.push_back(std::move(made));
    };
    // The target makes a word when hit; the word is made during the pair tests and still falls this step.
    Probe* word = nullptr;
    target.onCollide = [&] {
        if (word) return;
        auto made = std::make_unique<Probe>("word", log);
        word = made.get();
        objects.push_back(std::move(made));
    };

    stepWorld(objects, ground);
    ASSERT_NE(star, nullptr);
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(star->updates, 0) << "a new object gets no second update in the step that made it";
    EXPECT_EQ(star->gravity, 1);
    EXPECT_EQ(word->updates, 0);
    EXPECT_EQ(word->gravity, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"target collide 0 star 0", "star collide 0 target 0"}));

    // Removal keeps the order of the survivors.
    ASSERT_EQ(objects.size(), 68u);
    target.alive = false;
    for (std::size_t i = 2; i < objects.size(); i += 2) static_cast<Probe&>(*objects[i]).alive = false;
    std::vector<GameObject*> survivors;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (static_cast<Probe&>(*objects[i]).alive) survivors.push_back(objects[i].get());
    }
    removeDeadObjects(objects);
    ASSERT_EQ(objects.size(), survivors.size());
    for (std::size_t i = 0; i < objects.size(); ++i) EXPECT_EQ(objects[i].get(), survivors[i]);
}

TEST(WorldStep, EnemiesAreCountedByCategoryBit) {
    std::vector<std::string> log;
    ObjectList objects;
    add(objects, std::make_unique<Probe>("a", log)).category = kEnemyCategory;
    add(objects, std::make_unique<Probe>("b", log)).category = kEnemyCategory | kItemCategory;
    add(objects, std::make_unique<Probe>("c", log)).category = kHeroCategory;
    add(objects, std::make_unique<Probe>("d", log)).category = 0;
    EXPECT_EQ(countEnemies(objects), 2);
}
