#pragma once
// The 50 Hz rule: at least 20 ms from one frame's start to the next, no catching up. Times are the
// platform's wrapping 32-bit millisecond counter, compared by unsigned subtraction.

#include <cstdint>

constexpr std::uint32_t kFramePeriodMs = 20;
// The pacing wait sleeps until this close to the deadline, then naps in steps far shorter than a
// millisecond, watching the counter, so that it is on time without keeping a core busy.
constexpr std::uint32_t kPacingSpinMs = 2;

inline std::uint32_t elapsedMs(std::uint32_t start, std::uint32_t now) { return now - start; }

inline bool frameDue(std::uint32_t frameStart, std::uint32_t now) {
    return elapsedMs(frameStart, now) >= kFramePeriodMs;
}

// How long the wait may sleep at once now; 0 means nap instead.
inline std::uint32_t pacingSleepMs(std::uint32_t frameStart, std::uint32_t now) {
    const std::uint32_t elapsed = elapsedMs(frameStart, now);
    if (elapsed >= kFramePeriodMs - kPacingSpinMs) return 0;
    return kFramePeriodMs - kPacingSpinMs - elapsed;
}
