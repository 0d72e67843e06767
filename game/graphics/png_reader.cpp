#include "game/graphics/png_reader.h"

#include <png.h>

#include <istream>
#include <vector>

namespace {

// libpng reports errors by jumping back to decode(); it must never print.
[[noreturn]] void onPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onPngWarning(png_structp, png_const_charp) {}

void readFromStream(png_structp png, png_bytep data, std::size_t length) {
    auto* in = static_cast<std::istream*>(png_get_io_ptr(png));
    in->read(reinterpret_cast<char*>(data), static_cast<std::streamsize>(length));
    if (static_cast<std::size_t>(in->gcount()) != length) png_error(png, "file breaks off");
}

struct PngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_bytep> rows;
    ~PngRead() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// Everything that may make libpng jump back runs here. The frame holds no object with a destructor,
// so the jump skips nothing that needs cleaning up; the caller's PngRead frees the libpng structures.
bool decode(PngRead& read, Image& image) {
    png_structp png = read.png;
    png_infop info = read.info;
    if (setjmp(png_jmpbuf(png))) return false;

    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (static_cast<std::uint64_t>(width) * height * 4u > kMaxPngPixelBytes) png_error(png, "too large");

    // Bring every kind of PNG to 8-bit R, G, B, A.
    const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png);  // palette to RGB, low-depth grey to 8 bits, transparency chunk to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if (!hasAlpha) png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 4) png_error(png, "unexpected layout");

    image.create(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    read.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) read.rows[y] = image.row(static_cast<std::int32_t>(y));
    png_read_image(png, read.rows.data());
    png_read_end(png, info);
    return true;
}

}  // namespace

bool readPng(std::istream& in, Image& image) {
    PngRead read;
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
    if (!read.png) return false;
    read.info = png_create_info_struct(read.png);
    if (!read.info) return false;
    png_set_read_fn(read.png, &in, readFromStream);
    png_set_user_limits(read.png, kMaxPngSide, kMaxPngSide);
    if (decode(read, image)) return true;
    image.create(1, 1);
    return false;
}
