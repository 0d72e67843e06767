// Pictures of any content through the game's PNG reader: a picture is decoded whole within the size
// limits, or the reader gives the 1x1 transparent picture; it never crashes or reads out of bounds.
#include "game/graphics/png_reader.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Image image;
    const bool read = readPng(in, image);
    const std::uint64_t bytes = static_cast<std::uint64_t>(image.width()) * image.height() * 4u;
    if (read ? (image.width() < 1 || image.height() < 1 || bytes > kMaxPngPixelBytes)
             : (image.width() != 1 || image.height() != 1 || image.pixels()[3] != 0)) {
        std::abort();
    }
    // Every pixel is readable: touch the last one.
    volatile std::uint8_t last = image.row(image.height() - 1)[4 * image.width() - 1];
    (void)last;
    return 0;
}
