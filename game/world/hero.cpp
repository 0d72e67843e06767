#include "game/world/hero.h"

#include "game/flow/game_scene.h"
#include "game/shell/pad_input.h"
#include "game/shell/sound_effects.h"
#include "game/world/figure_loading.h"
#include "game/world/pop_word.h"
#include "game/world/star.h"
#include "puppet/model/satisfy_distance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Pad buttons the hero reads: Z dashes, X conjures and throws stars, C collapses.
constexpr std::uint32_t kDashButton = 1u << 0;
constexpr std::uint32_t kStarButton = 1u << 1;
constexpr std::uint32_t kCollapseButton = 1u << 2;
constexpr float kStickThreshold = 0.5f;

constexpr const char* kNormalPose = "data\\hero\\normal.pose";
constexpr const char* kWalk0Pose = "data\\hero\\walk0.pose";
constexpr const char* kWalk1Pose = "data\\hero\\walk1.pose";
constexpr const char* kSitDownPose = "data\\hero\\sitdown.pose";
constexpr const char* kRaisePose = "data\\hero\\at0.pose";  // jump, and the star charge
constexpr const char* kSwingPose = "data\\hero\\at1.pose";  // throw, and a small dash
constexpr const char* kCrouchPose = "data\\hero\\at3.pose";
constexpr const char* kLungePose = "data\\hero\\at5.pose";

constexpr std::int32_t kHeroRootPart = 6;  // the body
constexpr std::int32_t kHandPart = 0;
constexpr std::int32_t kHandBound = 3;

float length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

std::string heroModel(int number) {
    char path[48];
    std::snprintf(path, sizeof path, "data\\hero\\%d.model", number);
    return path;
}

}  // namespace

Hero::Hero(int modelNumber) { loadFigure(*this, heroModel(modelNumber).c_str(), kNormalPose, kHeroRootPart); }

Hero::~Hero() = default;

float Hero::dir() const { return puppet.has(Puppet::facingRight) ? 1.0f : -1.0f; }

PointMass* Hero::hand() {
    if (puppet.parts.size() <= kHandPart) return nullptr;
    std::vector<PointMass>& bounds = puppet.parts[kHandPart].boundCentres;
    return bounds.size() > kHandBound ? &bounds[kHandBound] : nullptr;
}

Hero::Pad Hero::readPad() {
    const PadInput* input = PadInput::instance();
    if (!input) return {};
    return {input->record(0), input->record(1)};
}

void Hero::update() {
    const Pad pad = readPad();
    if (pad.pressed(kCollapseButton) && life > 0.0f) toggleCollapse();
    if (puppet.has(Puppet::posed)) {
        if (onGround) {
            jumps = 0;
            dives = 0;
        }
        if (!pad.held(kDashButton) && !pad.held(kStarButton)) move(pad);
        starControl(pad);
        dashControl(pad);
        holdStars();
    }
    PuppetObject::update();
}

void Hero::toggleCollapse() {
    // Falling apart costs life and gives a small hop; getting up is free.
    if (puppet.has(Puppet::posed)) {
        life -= 0.1f;
        puppet.push({dir() * 0.2f, 0.2f});
    }
    puppet.set(Puppet::posed, !puppet.has(Puppet::posed));
    puppet.set(Puppet::linked, !puppet.has(Puppet::linked));
}

void Hero::move(const Pad& pad) {
    if (pad.cur.x > kStickThreshold) {
        puppet.faceRight();
        walk(1.0f);
    } else if (pad.cur.x < -kStickThreshold) {
        puppet.faceLeft();
        walk(-1.0f);
    }

    const bool downPushed = pad.cur.y < -kStickThreshold && pad.prev.y > -kStickThreshold;
    if (downPushed && !onGround && dives < kMaxDives) {
        ++dives;
        attackTimer = 50;
        puppet.setPose(kSitDownPose);
        puppet.damp({1.0f, 0.0f});  // keep going along, stop rising or falling
        puppet.push({0.0f, -0.2f});
    }
    // No ground needed: both jumps may be made in the air.
    const bool upPushed = pad.cur.y > kStickThreshold && pad.prev.y < kStickThreshold;
    if (upPushed && jumps < kMaxJumps) {
        ++jumps;
        attackTimer = 50;
        puppet.setPose(kRaisePose);
        puppet.damp({1.0f, 0.0f});
        puppet.push({0.0f, 0.3f});
    }
}

void Hero::walkStepOn() {
    ++walkStep;
    if (walkStep == 5) puppet.setPose(kWalk1Pose);
    if (walkStep == 10) puppet.setPose(kWalk0Pose);
    if (walkStep == 15) puppet.setPose(kNormalPose);
    if (walkStep == 16) walkStep = 0;
}

void Hero::walk(float direction) {
    walkStepOn();
    // Only below the speed limit, so that walking never builds up speed (against a wall, say).
    if (puppet.velocity().x * direction < kWalkSpeedLimit) {
        const float step = onGround ? 0.02f : 0.01f;
        puppet.push({step * direction, 0.0f});
    }
}

void Hero::starControl(const Pad& pad) {
    if (pad.pressed(kStarButton)) {
        puppet.setPose(kRaisePose);
        charge = 0;
    } else if (pad.released(kStarButton)) {
        puppet.setPose(kSwingPose);
        attackTimer = 30;
        throwStars();
    } else if (pad.held(kStarButton) && !pad.held(kDashButton)) {
        charge = std::min(charge + 1, kStarChargeCap);
        if (charge % kStarEvery == 0) conjureStar();
    }
}

void Hero::dashControl(const Pad& pad) {
    if (pad.pressed(kDashButton)) {
        puppet.setPose(kCrouchPose);
        charge = 0;
    } else if (pad.released(kDashButton)) {
        puppet.setPose(charge >= kBigDashCharge ? kLungePose : kSwingPose);
        hurtTimer = charge / 4;  // nothing hurts the hero while it dashes
        attackTimer = 40;
        puppet.push({dir() * static_cast<float>(charge) * 0.005f, 0.0f});
    } else if (pad.held(kDashButton) && !pad.held(kStarButton)) {
        charge = std::min(charge + 1, kDashChargeCap);
        if (charge % kWordEvery == 0) popWord("Uki", static_cast<float>(charge) * 0.004f + 0.1f, position);
    }
}

void Hero::conjureStar() {
    GameScene* scene = GameScene::instance();
    if (!scene) return;
    auto star = std::make_unique<Star>();
    heldStars.push_back(star.get());
    star->category = kHeroCategory;
    star->collidesWith = kEnemyCategory | 1u;
    const PointMass* at = hand();
    star->moveTo(at ? Vec2{at->x, at->y} : position);
    // A little scatter, so that the stars do not sit on one another: y is drawn first, then x.
    const int jitterY = std::rand() % 100;
    const int jitterX = std::rand() % 100;
    star->push({static_cast<float>(jitterX - 50) * 0.005f, static_cast<float>(jitterY - 50) * 0.005f});
    star->life = 100.0f;
    star->setScale(puppet.poseScale * 0.5f);
    star->update();
    scene->addObject(std::move(star));
}

void Hero::throwStars() {
    for (Star* star : heldStars) {
        star->push({dir() * 0.2f, 0.1f});
        star->thrown = 1;
    }
    heldStars.clear();
}

void Hero::holdStars() {
    PointMass* at = hand();
    if (!at) return;
    for (Star* star : heldStars) {
        if (PointMass* grip = star->grip()) satisfyDistance(*grip, *at, 0.0f, 1.0f, 0.0f, pointDistance(*grip, *at));
    }
}

void Hero::popHitWord(const char* word, Vec2 v) { popWord(word, length(v) + 0.5f, position); }

void Hero::onHit(Vec2 v) {
    popHitWord("Zaku", v);
    SoundEffects::play("data\\sound\\zaku.wav");
}

void Hero::damage(Vec2 v) {
    popHitWord("Iyan", v);
    SoundEffects::play("data\\sound\\iyan.wav");
    jumps = 0;  // a hit hero may jump again
    dives = 0;
    PuppetObject::damage(v);
}
