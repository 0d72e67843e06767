#pragma once
// Small puppets made on the spot for world tests: one square part of side 1 per entry, each with the
// given bound circles, written as part, model and pose files into a private folder.

#include "game/world/puppet_object.h"
#include "temp_dir.h"

#include <string>
#include <vector>

struct BoundSpec {
    float x = 0.0f;
    float y = 0.0f;
    float r = 0.5f;
    int kind = 0;
};

// Writes name.model with one part per entry of parts, and name.pose holding every part on the
// puppet frame. Returns the model's game path; the pose is the same path ending in .pose.
std::string writeFigure(const TempDir& dir, const std::string& name,
                        const std::vector<std::vector<BoundSpec>>& parts);
std::string posePathOf(const std::string& modelPath);

// A puppet object as the factory makes one: model, first pose, posed, circles built.
class TestFigure : public PuppetObject {
public:
    explicit TestFigure(const std::string& modelPath, bool posed = true);

    int damageCalls = 0;
    int onHitCalls = 0;
    void damage(Vec2 v) override;
    void onHit(Vec2 v) override;
};
