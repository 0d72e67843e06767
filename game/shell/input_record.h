#pragma once
// One frame's sample of an input device, and the ring of the last 256 samples that each sampler
// keeps. Age 0 is this frame's sample, age 1 the frame before's.

#include <array>
#include <cstdint>

// Pad sample: axes from -1 to +1 (right and up positive); buttons bits 0-3 are Z, X, C, V or
// joystick buttons 1-4.
struct InputRecord {
    float x = 0;
    float y = 0;
    float z = 0;
    std::uint32_t buttons = 0;
};

// Pointer sample: cursor in client-area pixels from the top left; buttons bit 0 left, bit 1 right.
struct PointerRecord {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::uint32_t buttons = 0;
};

constexpr int kInputHistory = 256;

template <typename Record>
class InputRing {
public:
    // The head counts down, so the newest record is always at the head and older ones follow it.
    void store(const Record& record) {
        --head_;
        records_[index(0)] = record;
    }
    // Ages of 256 and more wrap onto the same records; before 256 samples the old ones are zero.
    const Record& record(std::uint32_t age) const { return records_[index(age)]; }

private:
    std::size_t index(std::uint32_t age) const { return (head_ + age) % kInputHistory; }
    std::array<Record, kInputHistory> records_{};
    std::uint32_t head_ = 0;  // unsigned so that counting down wraps instead of overflowing
};
