// Stepping and placing puppets happens every frame for every figure: it must not touch the heap.
// Every operator new of this test program is counted.

#include "part_builder.h"
#include "puppet/model/puppet.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

// These replacements are the program's only allocator, so new and free do match; g++ cannot see that.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// Every form of new and delete is replaced, so that the libraries loaded into the test (the GL driver)
// allocate and free through the same pair.
namespace {
void* countedAllocation(std::size_t size, std::size_t alignment) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (size == 0) size = 1;
    if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}
void* checked(void* p) {
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
}  // namespace

void* operator new(std::size_t size) { return checked(countedAllocation(size, 0)); }
void* operator new[](std::size_t size) { return checked(countedAllocation(size, 0)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size, 0); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size, 0); }
void* operator new(std::size_t size, std::align_val_t a) {
    return checked(countedAllocation(size, static_cast<std::size_t>(a)));
}
void* operator new[](std::size_t size, std::align_val_t a) {
    return checked(countedAllocation(size, static_cast<std::size_t>(a)));
}
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return countedAllocation(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return countedAllocation(size, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

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
