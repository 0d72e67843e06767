// Cost of one world step for a crowded stage: 100 puppet objects of 10 hit circles each (5 parts of 2
// bounds), standing on a level ground. "Stage" uses the game's masks (one hero reacting to everyone,
// enemies reacting only to the hero), spread along the stage; "AllPairsApart" makes every pair of
// objects test circle against circle without touching; "AllPairsCrowd" packs them together as
// well, so that most pairs touch and push each other: the worst case.

#include "game/world/ground.h"
#include "game/world/puppet_object.h"
#include "game/world/world_step.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kObjects = 100;
constexpr int kParts = 5;
constexpr int kBoundsPerPart = 2;

float distance(float ax, float ay, float bx, float by) { return std::hypot(bx - ax, by - ay); }

// A square part of side 1 with two bound circles, built in memory as loading a part file would.
PuppetPart makePart() {
    PuppetPart part;
    const float bounds[kBoundsPerPart][2] = {{-0.2f, -0.2f}, {0.2f, 0.2f}};
    for (const auto& [x, y] : bounds) {
        part.boundCentres.push_back({x, y, x, y});
        part.boundRadii.push_back(0.25f);
        part.boundKinds.push_back(0);
        for (const PointMass& corner : part.frame.corners) part.boundRest.push_back(distance(x, y, corner.x, corner.y));
    }
    return part;
}

class Figure : public PuppetObject {
public:
    Figure(float x, float y) {
        const float square[16] = {0, 1, 1.4142135f, 1, 1, 0, 1, 1.4142135f, 1.4142135f, 1, 0, 1, 1, 1.4142135f, 1, 0};
        for (int p = 0; p < kParts; ++p) {
            puppet.parts.push_back(makePart());
            puppet.pose.insert(puppet.pose.end(), std::begin(square), std::end(square));
        }
        puppet.set(Puppet::posed, true);
        buildHits();
        moveTo({x, y});
        update();
    }
};

Ground levelGround(int samples) {
    Ground ground;
    ground.heights.assign(static_cast<std::size_t>(samples), 0.0f);
    ground.refresh();
    return ground;
}

void runSteps(benchmark::State& state, ObjectList& objects, const Ground& ground) {
    for (auto _ : state) {
        stepWorld(objects, ground);
        benchmark::DoNotOptimize(objects.data());
    }
    state.counters["objects"] = static_cast<double>(objects.size());
}

void BM_WorldStepStage(benchmark::State& state) {
    const Ground ground = levelGround(301);
    ObjectList objects;
    for (int i = 0; i < kObjects; ++i) {
        auto figure = std::make_unique<Figure>(2.0f + 2.9f * static_cast<float>(i), 1.0f);
        figure->category = i == 0 ? kHeroCategory : kEnemyCategory;
        figure->collidesWith = i == 0 ? 25u : 5u;
        objects.push_back(std::move(figure));
    }
    runSteps(state, objects, ground);
}
BENCHMARK(BM_WorldStepStage);

void allPairs(benchmark::State& state, float spacing) {
    const Ground ground = levelGround(301);
    ObjectList objects;
    for (int i = 0; i < kObjects; ++i) {
        auto figure = std::make_unique<Figure>(2.0f + spacing * static_cast<float>(i), 1.0f);
        figure->category = kEnemyCategory;
        figure->collidesWith = kEnemyCategory;
        objects.push_back(std::move(figure));
    }
    runSteps(state, objects, ground);
}

void BM_WorldStepAllPairsApart(benchmark::State& state) { allPairs(state, 2.9f); }
BENCHMARK(BM_WorldStepAllPairsApart);

void BM_WorldStepAllPairsCrowd(benchmark::State& state) { allPairs(state, 0.3f); }
BENCHMARK(BM_WorldStepAllPairsCrowd);

}  // namespace
