#pragma once
// The game's sense of time: a 32-bit millisecond counter that wraps (compare by unsigned
// subtraction), a sleep and a yield of the processor.

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t ticks() = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    virtual void yield() = 0;
};
