#pragma once
// The game's sense of time: a 32-bit millisecond counter that wraps (compare by unsigned
// subtraction), a sleep, a yield of the processor and a nap.

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t ticks() = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    virtual void yield() = 0;
    // The shortest real sleep the machine offers, well under a millisecond: the end of the paced wait
    // polls the counter with it, on time to a fraction of a millisecond without keeping a core busy
    // as yielding in a loop does. A clock without one yields.
    virtual void nap() { yield(); }
};
