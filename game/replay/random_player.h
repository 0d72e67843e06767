#pragma once
// A restless player for long unattended runs: from a seed, frame by frame, it holds and lets go of
// the pad keys and the mouse buttons for spans of random length and wanders the pointer about the
// window. The same seed always plays the same frames. It has its own generator, so it leaves the C
// rand() sequence, which the game itself draws from, untouched.
//
// It plays blind except for one thing: at the title it picks the set it was told to play, so that a
// game given up (continue prompt, ending, logo, title) comes back to the same set. Everything else
// (the logo, the continue prompt, the pause between stages) moves on by the Z presses it makes
// anyway. It cannot quit the game: Escape and closing the window are not pad keys.

#include "platform/null/replay_script.h"

#include <array>
#include <cstdint>

// How long a key stays held and then released, in frames (each drawn evenly from its range).
struct HoldPattern {
    std::uint32_t holdMin, holdMax;
    std::uint32_t gapMin, gapMax;
};

class RandomPlayer {
public:
    // The pointer roams the window of the given size and a little beyond its edges.
    RandomPlayer(std::uint64_t seed, bool crazySet, std::int32_t width = 640, std::int32_t height = 480);

    // The next frame's input. atTitle: the title's mode menu is showing.
    ScriptFrame next(bool atTitle);

    // How far outside the window the pointer may wander, in pixels.
    static constexpr std::int32_t kPointerMargin = 32;

private:
    // splitmix64: small, fast and good enough for choosing spans.
    std::uint64_t draw();
    std::uint32_t between(std::uint32_t low, std::uint32_t high);

    // One key or button: held while `held`, for `left` more frames of its present span.
    struct Channel {
        bool held = false;
        std::uint32_t left = 0;
    };
    bool step(Channel& channel, const HoldPattern& pattern);
    void movePointer();

    std::uint64_t state_;
    bool crazySet_;
    std::int32_t width_, height_;
    Channel walk_;  // Left or Right, one at a time
    std::uint32_t walkKey_ = 0;
    std::array<Channel, 6> keys_;  // Up, Down, Z, X, C, V
    std::uint32_t collapses_ = 0;  // C presses so far: every other one gets the hero up again soon
    Channel leftButton_, rightButton_;
    float x_, y_, targetX_, targetY_, speed_ = 4;
    std::uint32_t targetFrames_ = 0;
};
