#pragma once
// Reading back what has been drawn into the current GL framebuffer.

#include "game/graphics/image.h"

// The width x height pixels at the lower-left corner of the buffer being drawn (the back buffer of
// a double-buffered window, before it is presented), as an RGBA Image with rows top first.
Image captureScreen(std::int32_t width, std::int32_t height);
