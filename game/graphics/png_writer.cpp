#include "game/graphics/png_writer.h"

#include <png.h>

#include <cstdio>

bool writePng(const std::string& path, const Image& image) {
    if (!image.pixels()) return false;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width());
    png.height = static_cast<png_uint_32>(image.height());
    png.format = PNG_FORMAT_RGBA;
    const bool written = png_image_write_to_file(&png, path.c_str(), 0, image.pixels(), image.stride(), nullptr);
    png_image_free(&png);
    if (!written) std::remove(path.c_str());
    return written;
}
