#pragma once
// Watches the frames of the main loop from outside the game: scripted runs take screenshots and
// report game state here.

#include <cstdint>

class FrameListener {
public:
    virtual ~FrameListener() = default;
    // Asked before frame `frame` is drawn: whether anyone will look at its picture. The frame is
    // drawn either way, since drawing also places each part's picture where the next draw starts
    // from; an unwanted picture is not presented, and the listener may have made its pixels cheap.
    virtual bool wantsPicture(std::uint64_t frame) {
        (void)frame;
        return true;
    }
    // The top scene has drawn frame number `frame` (counted from 0) and it is not yet presented:
    // the GL back buffer holds the finished picture.
    virtual void frameDrawn(std::uint64_t frame) { (void)frame; }
    // The one place where a frame ends: presented, with the scene requests of the frame applied.
    virtual void frameEnded(std::uint64_t frame) { (void)frame; }
};
