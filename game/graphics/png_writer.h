#pragma once
// Writing an RGBA Image as a PNG file (screenshots of scripted runs).

#include "game/graphics/image.h"

#include <string>

// Returns false when the file could not be written completely; a partial file is then removed.
bool writePng(const std::string& path, const Image& image);
