// The editor's relaxation: 20 passes over a 30-part puppet with 60 links, as one drag step runs.
#include "edit_model.h"

#include <benchmark/benchmark.h>

namespace {

EditModel puppet() {
    EditModel model;
    for (int p = 0; p < 30; ++p) {
        EditPart part;
        part.path = "part" + std::to_string(p) + ".part";
        part.picture = {{{-0.4f, 0.6f, 0, 0}, {-0.4f, -0.6f, 0, 1}, {0.4f, -0.6f, 1, 1}, {0.4f, 0.6f, 1, 0}}};
        part.joints = {{0.0f, 0.5f}, {0.0f, -0.5f}, {0.3f, 0.0f}, {-0.3f, 0.0f}};
        part.bounds = {{0.0f, 0.0f, 0.3f}};
        part.computeRest();
        // Spread the parts out so that the links have work to do.
        for (Point2& c : part.corners) c.x += static_cast<float>(p) * 0.3f;
        model.parts.push_back(part);
    }
    for (int k = 0; k < 60; ++k) {
        const int a = k % 30;
        const int b = (k * 7 + 3) % 30;
        model.links.push_back(JointLink{a, b == a ? (a + 1) % 30 : b, k % 4, (k + 1) % 4, 0.05f});
    }
    return model;
}

void BM_RelaxDragStep(benchmark::State& state) {
    EditModel model = puppet();
    for (auto _ : state) {
        for (int pass = 0; pass < 20; ++pass) model.relax();
        benchmark::DoNotOptimize(model.parts.front().corners.front().x);
    }
}
BENCHMARK(BM_RelaxDragStep)->Unit(benchmark::kMillisecond);

}  // namespace
