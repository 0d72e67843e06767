#include "game/world/puppet_object.h"

#include "figure_fixture.h"
#include "game/graphics/texture_cache.h"
#include "game/world/ground.h"
#include "game/world/world_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

class PuppetObjectTest : public ::testing::Test {
protected:
    PuppetObjectTest() { cache_.setHeadless(true); }

    TempDir dir_;
    TextureCache cache_;
};

// A ground 11 units long whose first line is tilted by the given angle, falling to the right.
Ground tiltedGround(float degrees) {
    Ground ground;
    ground.heights.assign(12, 0.0f);
    ground.heights[0] = std::tan(degrees * std::numbers::pi_v<float> / 180.0f);
    ground.refresh();
    return ground;
}

Vec2 frameCorner(const PuppetObject& object, int part, int corner) {
    const PointMass& p = object.puppet.parts[static_cast<std::size_t>(part)].frame.corners[static_cast<std::size_t>(corner)];
    return {p.x, p.y};
}

}  // namespace

TEST_F(PuppetObjectTest, CirclesFollowBoundsAndAttacksLiveOnlyWhileTheTimerRuns) {
    const std::string model =
        writeFigure(dir_, "fig", {{{0.0f, 0.0f, 0.4f, 0}, {0.3f, 0.2f, 0.25f, 1}}, {}, {{-0.2f, 0.1f, 0.3f, 7}}});
    TestFigure figure(model);
    ASSERT_EQ(figure.hitCircles().size(), 3u);
    ASSERT_EQ(figure.hitSource.size(), 3u);
    EXPECT_EQ(figure.hitSource[2].part, 2);
    EXPECT_EQ(figure.hitSource[2].bound, 0);
    EXPECT_FLOAT_EQ(figure.hitCircles()[1].radius, 0.25f);
    EXPECT_FLOAT_EQ(figure.hitCircles()[1].x, 0.3f);
    EXPECT_EQ(figure.hitCircles()[1].kind, 1) << "built circles carry the kinds as in the part";

    EXPECT_EQ(figure.life, 1.0f);
    EXPECT_EQ(figure.alpha, 1.0f);
    figure.onGround = true;
    figure.puppet.move({2.0f, 3.0f});
    figure.update();
    EXPECT_FALSE(figure.onGround);
    EXPECT_EQ(figure.attackTimer, 0) << "timers stop at 0";
    EXPECT_FLOAT_EQ(figure.position.x, figure.puppet.centre().x);
    EXPECT_FLOAT_EQ(figure.position.y, figure.puppet.centre().y);
    const PointMass& bound = figure.puppet.parts[0].boundCentres[1];
    EXPECT_FLOAT_EQ(figure.hitCircles()[1].x, bound.x);
    EXPECT_FLOAT_EQ(figure.hitCircles()[1].vy, bound.y - bound.prevY);
    EXPECT_EQ(figure.hitCircles()[0].kind, kBodyHit);
    EXPECT_EQ(figure.hitCircles()[1].kind, kInertHit) << "an attack bound is inert without an attack";
    EXPECT_EQ(figure.hitCircles()[2].kind, 7);

    figure.attackTimer = 2;
    figure.update();
    EXPECT_EQ(figure.attackTimer, 1);
    EXPECT_EQ(figure.hitCircles()[1].kind, kAttackHit);
    figure.update();
    EXPECT_EQ(figure.hitCircles()[1].kind, kInertHit);

    // A model reloaded with fewer parts leaves circles without bounds: they go inert and are ignored.
    figure.puppet.loadModel(writeFigure(dir_, "small", {{{0.0f, 0.0f, 0.4f, 0}}}));
    figure.update();
    EXPECT_EQ(figure.hitCircles()[2].kind, kInertHit);
    Ground ground = tiltedGround(0.0f);
    figure.groundContact(2, ground, 0, 1.0f);
    figure.planeContact(2, kFlatLine, 1.0f);
    figure.collide(2, figure, 0);
}

TEST_F(PuppetObjectTest, GroundAndPlaneResponses) {
    const std::string model = writeFigure(dir_, "fig", {{{0.0f, -0.3f, 0.4f, 0}}});
    const Ground level = tiltedGround(0.0f);

    TestFigure posed(model);
    const Vec2 before = frameCorner(posed, 0, 0);
    const float puppetBefore = posed.puppet.frame.corners[0].y;
    posed.groundContact(0, level, 0, 0.5f);
    // The part rises by the depth plus the whole puppet's tenth; its speed is cut to a tenth.
    EXPECT_NEAR(frameCorner(posed, 0, 0).y - before.y, 0.5f + 0.05f, 1e-6f);
    EXPECT_NEAR(posed.puppet.frame.corners[0].y - puppetBefore, 0.05f, 1e-6f);
    const PointMass& c = posed.puppet.parts[0].frame.corners[0];
    EXPECT_NEAR(c.y - c.prevY, 0.055f, 1e-6f);
    EXPECT_TRUE(posed.onGround);

    TestFigure limp(model, false);
    const PointMass boundBefore = limp.puppet.parts[0].boundCentres[0];
    const Vec2 limpBefore = frameCorner(limp, 0, 0);
    limp.groundContact(0, level, 0, 0.5f);
    EXPECT_NEAR(frameCorner(limp, 0, 0).y - limpBefore.y, 0.25f, 1e-6f);
    const PointMass& b = limp.puppet.parts[0].boundCentres[0];
    EXPECT_NEAR(b.y - boundBefore.y, 0.75f, 1e-6f) << "pushed with its part, then moved by the depth";
    EXPECT_NEAR(b.y - b.prevY, 0.75f * 0.95f, 1e-6f);
    EXPECT_NEAR(limp.puppet.frame.corners[0].y, posed.puppet.frame.corners[0].y - 0.05f, 1e-6f)
        << "a limp puppet's frame is not pushed";

    // Standable only below 45 degrees.
    TestFigure walker(model);
    const Ground gentle = tiltedGround(44.0f);
    walker.groundContact(0, gentle, 0, 0.01f);
    EXPECT_TRUE(walker.onGround);
    walker.update();
    const Ground steep = tiltedGround(46.0f);
    walker.groundContact(0, steep, 0, 0.01f);
    EXPECT_FALSE(walker.onGround);
    walker.groundContact(0, steep, 50, 0.01f);  // beyond the lines: the level line
    EXPECT_TRUE(walker.onGround);

    // A wall pushes the part out along its normal and damps it.
    TestFigure boxed(model);
    const Vec2 wallBefore = frameCorner(boxed, 0, 1);
    boxed.planeContact(0, {1.0f, 0.0f, 0.0f}, 0.2f);
    EXPECT_NEAR(frameCorner(boxed, 0, 1).x - wallBefore.x, 0.2f, 1e-6f);
    EXPECT_NEAR(boxed.puppet.parts[0].frame.corners[1].x - boxed.puppet.parts[0].frame.corners[1].prevX, 0.02f, 1e-6f);
    EXPECT_FALSE(boxed.onGround) << "walls and ceiling are no ground";
}

TEST_F(PuppetObjectTest, HitsHurtOnceThenTheVictimIsInvincible) {
    // The victim's body overlaps the attacker's fist; both masks meet.
    const std::string victimModel = writeFigure(dir_, "victim", {{{0.0f, 0.0f, 0.5f, 0}}});
    const std::string attackerModel = writeFigure(dir_, "attacker", {{{0.0f, 0.0f, 0.5f, 1}}});
    const Ground ground = tiltedGround(0.0f);

    ObjectList objects;
    auto victimMade = std::make_unique<TestFigure>(victimModel);
    auto attackerMade = std::make_unique<TestFigure>(attackerModel);
    TestFigure& victim = *victimMade;
    TestFigure& attacker = *attackerMade;
    victim.moveTo({5.0f, 3.0f});
    attacker.moveTo({5.6f, 3.0f});
    attacker.puppet.push({-0.3f, 0.0f});  // swinging in
    victim.category = kHeroCategory;
    victim.collidesWith = 25;
    attacker.category = kEnemyCategory;
    attacker.collidesWith = 5;
    attacker.attackTimer = 10;
    objects.push_back(std::move(victimMade));
    objects.push_back(std::move(attackerMade));

    stepWorld(objects, ground);
    EXPECT_EQ(victim.damageCalls, 1) << "the second collide of the contact must not hurt again";
    EXPECT_EQ(attacker.onHitCalls, 1);
    EXPECT_EQ(attacker.damageCalls, 0);
    EXPECT_EQ(victim.hurtTimer, PuppetObject::kHurtFrames);
    EXPECT_TRUE(victim.isInvincible());
    EXPECT_LT(victim.life, 1.0f);

    // While invincible, a fresh contact does nothing.
    const float lifeAfter = victim.life;
    victim.collide(0, attacker, 0);
    EXPECT_EQ(victim.life, lifeAfter);

    // Damage grows with the impulse.
    TestFigure dummy(victimModel);
    dummy.damage({3.0f, 4.0f});
    EXPECT_FLOAT_EQ(dummy.life, 0.5f);
    EXPECT_EQ(dummy.hurtTimer, 25);
    for (int i = 0; i < 25; ++i) dummy.update();
    EXPECT_FALSE(dummy.isInvincible());

    // An inert attack (timer run out) neither hurts nor is hurt.
    TestFigure calmVictim(victimModel);
    TestFigure calm(attackerModel);
    calm.update();
    calmVictim.update();
    calm.puppet.push({1.0f, 0.0f});
    calmVictim.collide(0, calm, 0);
    calm.collide(0, calmVictim, 0);
    EXPECT_EQ(calmVictim.damageCalls + calm.damageCalls + calm.onHitCalls + calmVictim.onHitCalls, 0);
}

TEST_F(PuppetObjectTest, BeatenObjectsGoLimpLoseCategoryAndStayUntilFaded) {
    const std::string model = writeFigure(dir_, "fig", {{{0.0f, 0.0f, 0.5f, 0}}});
    const std::string fistModel = writeFigure(dir_, "fist", {{{0.0f, 0.0f, 0.5f, 1}}});
    TestFigure victim(model);
    TestFigure fist(fistModel);
    victim.category = kEnemyCategory;
    victim.life = 0.01f;
    fist.attackTimer = 5;
    fist.update();
    victim.update();
    fist.hitCircles()[0].vx = 1.0f;  // meets the victim at speed 1
    victim.collide(0, fist, 0);
    EXPECT_LT(victim.life, 0.0f);
    EXPECT_EQ(victim.category, 0u);
    EXPECT_FALSE(victim.puppet.has(Puppet::posed));
    EXPECT_FALSE(victim.puppet.has(Puppet::linked));
    EXPECT_TRUE(victim.isAlive()) << "a beaten object stays until it has faded";

    // Gone only once faded; the others keep their order.
    const Ground ground = tiltedGround(0.0f);
    ObjectList objects;
    objects.push_back(std::make_unique<TestFigure>(model));
    objects.push_back(std::make_unique<TestFigure>(model));
    objects.push_back(std::make_unique<TestFigure>(model));
    GameObject* first = objects[0].get();
    GameObject* last = objects[2].get();
    static_cast<TestFigure&>(*objects[1]).alpha = 0.0f;
    stepWorld(objects, ground);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].get(), first);
    EXPECT_EQ(objects[1].get(), last);
}

TEST_F(PuppetObjectTest, ObjectsWithoutBoundsTouchNothing) {
    const std::string bare = writeFigure(dir_, "bare", {{}, {}});
    const std::string solid = writeFigure(dir_, "solid", {{{0.0f, 0.0f, 1.0f, 1}}});
    const Ground ground = tiltedGround(0.0f);
    ObjectList objects;
    auto ghostMade = std::make_unique<TestFigure>(bare);
    TestFigure& ghost = *ghostMade;
    ghost.category = kHeroCategory;
    ghost.collidesWith = 25;
    ghost.moveTo({-3.0f, -4.0f});  // under the ground and past the left wall
    auto other = std::make_unique<TestFigure>(solid);
    other->category = kEnemyCategory;
    other->collidesWith = 5;
    other->attackTimer = 10;
    other->moveTo({-3.0f, -4.0f});
    objects.push_back(std::move(ghostMade));
    objects.push_back(std::move(other));
    for (int i = 0; i < 5; ++i) stepWorld(objects, ground);
    EXPECT_TRUE(ghost.hitCircles().empty());
    EXPECT_EQ(ghost.damageCalls, 0);
    EXPECT_FALSE(ghost.onGround);
    EXPECT_LT(ghost.position.y, -4.0f) << "nothing held it up: gravity alone acted";
}
