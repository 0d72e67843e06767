#pragma once
// A bubble that sheds a half-size bubble every time its life halves: beating it means beating its
// children too.

#include "game/world/bubble.h"

class SplitBubble : public Bubble {
public:
    void update() override;

    float peakLife = 0.0f;   // the highest life seen; the first update takes the starting life
    float splitLife = 0.0f;  // the next child breaks off when life falls below this

private:
    // A plain bubble of half the size with half the remaining life, where this one stands.
    void split();
};
