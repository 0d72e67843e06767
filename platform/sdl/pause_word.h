#pragma once
// The word "PAUSE" in large block letters over the picture, drawn with scissored clears so that it
// needs no texture, no font and no change to the game's drawing state.

#include "platform/picture_layout.h"

// rect is the picture's place in the window's drawable, y counted from the top; drawableHeight turns
// it into GL's bottom-up rows.
void drawPauseWord(const PictureRect& rect, int drawableHeight);
