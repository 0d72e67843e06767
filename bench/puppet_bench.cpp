// How much a puppet costs per frame: the physics step and the picture placement of drawing.
// Puppets of 1, 8 and 16 parts, each part with 2 joints and 2 bound circles, posed and linked.

#include "puppet/model/puppet.h"
#include "puppet/model/satisfy_distance.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

PuppetPart benchPart() {
    PuppetPart part;
    const float xs[4] = {-0.5f, -0.5f, 0.5f, 0.5f};
    const float ys[4] = {0.5f, -0.5f, -0.5f, 0.5f};
    for (int c = 0; c < 4; ++c) part.corners[c] = {xs[c] * 0.9f, ys[c] * 0.9f, xs[c] + 0.5f, 0.5f - ys[c]};
    part.joints = {{0.0f, 0.5f, 0.0f, 0.5f}, {0.0f, -0.5f, 0.0f, -0.5f}};
    part.boundCentres = {{0.0f, 0.25f, 0.0f, 0.25f}, {0.0f, -0.25f, 0.0f, -0.25f}};
    part.boundRadii = {0.25f, 0.25f};
    part.boundKinds = {8, 8};
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 4; ++i) part.pictureRest[4 * k + i] = pointDistance(part.corners[k], part.frame.corners[i]);
    }
    for (const PointMass& p : part.joints) {
        for (const PointMass& c : part.frame.corners) part.jointRest.push_back(pointDistance(p, c));
    }
    for (const PointMass& p : part.boundCentres) {
        for (const PointMass& c : part.frame.corners) part.boundRest.push_back(pointDistance(p, c));
    }
    return part;
}

// A chain of parts hanging one below the other, with the pose that holds them so, already settled.
Puppet benchPuppet(int partCount) {
    Puppet puppet;
    const float anchorX[4] = {-0.5f, -0.5f, 0.5f, 0.5f};
    const float anchorY[4] = {0.5f, -0.5f, -0.5f, 0.5f};
    for (int p = 0; p < partCount; ++p) {
        PuppetPart part = benchPart();
        part.move({0.0f, -1.05f * static_cast<float>(p)});
        for (int k = 0; k < 4; ++k) {
            for (const PointMass& c : part.frame.corners) {
                puppet.pose.push_back(std::hypot(c.x - anchorX[k], c.y - anchorY[k]));
            }
        }
        puppet.parts.push_back(part);
        if (p > 0) puppet.links.push_back({p - 1, p, 1, 0, 0.05f});
    }
    if (partCount == 1) puppet.links.push_back({0, 0, 0, 1, 1.0f});
    puppet.set(Puppet::posed, true);
    for (int n = 0; n < 500; ++n) puppet.step();
    return puppet;
}

// Distance moves in one Puppet::step: two solves (links, frame rigidify, 16 per part for the pose),
// the frame step (two rigidifies) and each part's step (two fits and a frame step).
long projectionsPerStep(const Puppet& puppet) {
    long perPart = 0;
    const PuppetPart& part = puppet.parts.front();
    perPart += 2 * 4 * static_cast<long>(part.joints.size() + part.boundCentres.size()) + 12;
    const long parts = static_cast<long>(puppet.parts.size());
    const long solve = static_cast<long>(puppet.links.size()) + 6 + 16 * parts;
    return 2 * solve + 12 + parts * perPart;
}

void BM_PuppetStep(benchmark::State& state) {
    Puppet puppet = benchPuppet(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        puppet.step();
        benchmark::DoNotOptimize(puppet.frame.corners[0].x);
    }
    const long projections = projectionsPerStep(puppet);
    state.counters["projections/step"] = static_cast<double>(projections);
    // Shown in seconds with an SI prefix: "7.3n" is 7.3 ns a projection.
    state.counters["time/projection"] = benchmark::Counter(
        static_cast<double>(projections), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    // How many such puppets one core steps within a 20 ms frame.
    state.counters["puppets/20ms"] =
        benchmark::Counter(0.02 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PuppetStep)->Arg(1)->Arg(8)->Arg(16);

// The part of Puppet::draw that is not GL: placing every picture corner from its frame.
void BM_PuppetDrawPlacement(benchmark::State& state) {
    Puppet puppet = benchPuppet(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (PuppetPart& part : puppet.parts) part.placePicture();
        benchmark::DoNotOptimize(puppet.parts[0].corners[0].x);
    }
    state.counters["time/part"] = benchmark::Counter(static_cast<double>(puppet.parts.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_PuppetDrawPlacement)->Arg(1)->Arg(16);

}  // namespace
