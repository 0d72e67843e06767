#pragma once
// The player's puppet. Nothing moves the hero directly: the pad becomes poses and pushes on its
// puppet, and the physics and the world step do the rest. It walks, jumps and dives twice each before
// landing again, charges and releases a dash, conjures up to ten stars at its hand and throws them all
// at once, and can collapse into loose parts and pull itself together again.

#include "game/shell/input_record.h"
#include "game/world/puppet_object.h"

#include <cstdint>
#include <vector>

class Star;

class Hero : public PuppetObject {
public:
    static constexpr std::int32_t kMaxJumps = 2;
    static constexpr std::int32_t kMaxDives = 2;
    static constexpr std::int32_t kStarEvery = 10;       // charge frames per conjured star
    static constexpr std::int32_t kStarChargeCap = 101;  // past the tenth star
    static constexpr std::int32_t kWordEvery = 50;       // charge frames per "Uki" word
    static constexpr std::int32_t kDashChargeCap = 301;  // past the sixth word
    static constexpr std::int32_t kBigDashCharge = 100;  // from here the dash has its big pose
    static constexpr float kWalkSpeedLimit = 0.1f;       // walking pushes only below this speed

    // Loads the hero model of the given number (the stage number minus 1) and its normal pose.
    explicit Hero(int modelNumber);
    ~Hero() override;

    void update() override;
    void onHit(Vec2 v) override;
    void damage(Vec2 v) override;

    // +1 facing right, -1 facing left.
    float dir() const;
    // Where conjured stars appear and held stars hang: bound 3 of part 0. Null for a model without it.
    PointMass* hand();

    std::vector<Star*> heldStars;  // conjured, not yet thrown; the scene owns them
    std::int32_t walkStep = 0;     // 0 ... 15 through the walk cycle
    std::int32_t jumps = 0;        // since the hero last stood on the ground
    std::int32_t dives = 0;
    std::int32_t charge = 0;  // frames a charging button has been held; stars and dash share it

private:
    // The pad as this frame and the frame before saw it.
    struct Pad {
        InputRecord cur;
        InputRecord prev;
        bool pressed(std::uint32_t bit) const { return (cur.buttons & bit) && !(prev.buttons & bit); }
        bool released(std::uint32_t bit) const { return !(cur.buttons & bit) && (prev.buttons & bit); }
        bool held(std::uint32_t bit) const { return (cur.buttons & bit) && (prev.buttons & bit); }
    };
    static Pad readPad();

    void toggleCollapse();
    void move(const Pad& pad);
    void walkStepOn();
    void walk(float direction);
    void starControl(const Pad& pad);
    void dashControl(const Pad& pad);
    void conjureStar();
    void throwStars();
    void holdStars();
    // "Zaku" or "Iyan" over the hero, larger for a harder hit.
    void popHitWord(const char* word, Vec2 v);
};
