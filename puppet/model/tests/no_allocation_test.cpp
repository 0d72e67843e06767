// Stepping and placing puppets happens every frame for every figure: it must not touch the heap.
// Every operator new of this test program is counted.

#include "part_builder.h"
#include "puppet/model/puppet.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

// These replacements are the program's only allocator, so new and free do match; g++ cannot see that.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

TEST(NoAllocation, StepPhysicsAndPlacementAllocateNothing) {
    Puppet puppet;
    for (int p = 0; p < 8; ++p) {
        puppet.parts.push_back(makePart({{0.5f, 0.0f}, {-0.5f, 0.0f}}, {{0.0f, 0.2f}, {0.0f, -0.2f}}));
        if (p > 0) puppet.links.push_back({p - 1, p, 0, 1, 0.05f});
    }
    puppet.pose.assign(16 * 8, 0.9f);
    puppet.set(Puppet::posed, true);

    const long before = allocations.load();
    for (int n = 0; n < 100; ++n) {
        puppet.step();
        puppet.push({0.0f, -0.01f});
        puppet.damp({0.9f, 0.9f});
        puppet.move({0.01f, 0.0f});
        puppet.mirror();
        for (PuppetPart& part : puppet.parts) part.placePicture();
    }
    puppet.set(Puppet::posed, false);
    for (int n = 0; n < 100; ++n) puppet.step();
    EXPECT_EQ(allocations.load() - before, 0);

    // The counter does see allocations.
    Puppet copy = puppet;
    EXPECT_GT(allocations.load() - before, 0);
    EXPECT_EQ(copy.partCount(), 8u);
}
