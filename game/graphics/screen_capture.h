#pragma once
// Reading back what has been drawn into the current GL framebuffer.

#include "game/graphics/image.h"

// The width x height pixels at the lower-left corner of the buffer being drawn (the back buffer of
// a double-buffered window, before it is presented), as an RGBA Image with rows top first.
Image captureScreen(std::int32_t width, std::int32_t height);
// While on, drawing (clears included) makes no pixels: GL discards every primitive before it is
// rasterized, which is where a software renderer spends its time. For frames whose picture nobody
// sees; all the drawing code still runs, with every effect it has on the figures. A context older
// than GL 3.0 refuses the switch and simply draws.
void discardPixels(bool discard);
