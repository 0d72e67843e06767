#pragma once
// Builds PNG files of any colour type, bit depth and interlacing in memory, so that the reader can be
// checked against pixels the test chose itself.

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

struct TestPng {
    int width = 1, height = 1;
    int colourType = PNG_COLOR_TYPE_RGBA;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::uint16_t> samples;  // row by row, channel by channel, at the file's bit depth
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS for palettes
    bool hasTransparentColour = false;   // tRNS for grey and RGB
    png_color_16 transparentColour{};
};

inline std::string encodePng(const TestPng& spec) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, std::size_t length) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), length);
        },
        nullptr);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty()) png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
    if (!spec.paletteAlpha.empty()) {
        png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()), nullptr);
    }
    if (spec.hasTransparentColour) png_set_tRNS(png, info, nullptr, 0, &spec.transparentColour);
    png_write_info(png, info);

    const int channels = png_get_channels(png, info);
    const std::size_t samplesPerRow = static_cast<std::size_t>(spec.width) * channels;
    std::vector<std::vector<png_byte>> rows(spec.height);
    for (int y = 0; y < spec.height; ++y) {
        std::vector<png_byte>& row = rows[y];
        row.assign(png_get_rowbytes(png, info), 0);
        for (std::size_t i = 0; i < samplesPerRow; ++i) {
            const std::uint16_t value = spec.samples[y * samplesPerRow + i];
            if (spec.bitDepth == 16) {
                row[2 * i] = static_cast<png_byte>(value >> 8);
                row[2 * i + 1] = static_cast<png_byte>(value & 0xFF);
            } else {
                const std::size_t bit = i * spec.bitDepth;
                row[bit / 8] |= static_cast<png_byte>(value << (8 - spec.bitDepth - bit % 8));
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}
