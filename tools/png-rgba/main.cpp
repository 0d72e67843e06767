// png-rgba: the last step of every picture of the content pipeline. Rewrites a PNG as 8-bit RGBA
// (the one layout the game's textures are made from; the rasteriser writes opaque pictures as RGB)
// and fails when a side is not a power of two, which the game's textures need.
//
//   png-rgba IN.png OUT.png

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool isPowerOfTwo(png_uint_32 n) {
    return n != 0 && (n & (n - 1)) == 0;
}

bool readRgba(const char* path, png_uint_32& width, png_uint_32& height, std::vector<png_byte>& pixels) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_read_info(png, info);
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        width = png_get_image_width(png, info);
        height = png_get_image_height(png, info);
        if (png_get_rowbytes(png, info) == width * 4) {
            pixels.assign(static_cast<size_t>(width) * height * 4, 0);
            std::vector<png_bytep> rows(height);
            for (png_uint_32 y = 0; y < height; ++y)
                rows[y] = pixels.data() + static_cast<size_t>(y) * width * 4;
            png_read_image(png, rows.data());
            png_read_end(png, nullptr);
            ok = true;
        }
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    std::fclose(file);
    return ok;
}

bool writeRgba(const char* path, png_uint_32 width, png_uint_32 height, std::vector<png_byte>& pixels) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (png_uint_32 y = 0; y < height; ++y)
            png_write_row(png, pixels.data() + static_cast<size_t>(y) * width * 4);
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

const char* const kUsage =
    "usage: png-rgba IN.png OUT.png\n"
    "Rewrites a PNG as 8-bit RGBA, as the game's textures are; fails when a side is not a power of two.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("%s", kUsage);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    png_uint_32 width = 0, height = 0;
    std::vector<png_byte> pixels;
    if (!readRgba(argv[1], width, height, pixels)) {
        std::fprintf(stderr, "png-rgba: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!isPowerOfTwo(width) || !isPowerOfTwo(height)) {
        std::fprintf(stderr, "png-rgba: %s is %ux%u; both sides must be powers of two\n", argv[1], width,
                     height);
        return 1;
    }
    if (!writeRgba(argv[2], width, height, pixels)) {
        std::fprintf(stderr, "png-rgba: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
