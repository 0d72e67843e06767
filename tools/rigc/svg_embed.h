#pragma once
// Pictures embedded in SVG files, so that review sheets render wherever they are written.

#include <string>

std::string base64(const std::string& bytes);
bool readFileBytes(const std::string& path, std::string& bytes);
// Width and height from a PNG's header chunk.
bool pngSize(const std::string& bytes, int& width, int& height);
