#pragma once
// Decoding PNG pictures into 8-bit RGBA Images, whatever their colour type and bit depth.

#include "game/graphics/image.h"

#include <iosfwd>

// The largest side accepted; larger pictures are treated as damaged rather than exhausting memory.
constexpr std::int32_t kMaxPngSide = 8192;
// The most memory a decoded picture may take (4 bytes a pixel); a header claiming more is refused
// before anything is allocated for the pixels.
constexpr std::uint64_t kMaxPngPixelBytes = 64u * 1024u * 1024u;

// Decodes a whole PNG stream into image. Palette (with its transparency), grey, grey with alpha, RGB
// and RGBA at any bit depth, interlaced or not, all become 8-bit RGBA with the file's alpha (opaque
// when it has none). A stream that is not a readable PNG returns false and leaves image as the 1x1
// transparent picture. Never throws for bad input and never prints.
bool readPng(std::istream& in, Image& image);
