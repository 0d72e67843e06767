#pragma once
// Watches the frames of the main loop from outside the game: scripted runs take screenshots and
// report game state here.

#include <cstdint>

class FrameListener {
public:
    virtual ~FrameListener() = default;
    // The top scene has drawn frame number `frame` (counted from 0) and it is not yet presented:
    // the GL back buffer holds the finished picture.
    virtual void frameDrawn(std::uint64_t frame) { (void)frame; }
    // The one place where a frame ends: presented, with the scene requests of the frame applied.
    virtual void frameEnded(std::uint64_t frame) { (void)frame; }
};
