// Every kind of PNG becomes 8-bit RGBA; every damaged one becomes the 1x1 transparent picture.
#include "game/graphics/png_reader.h"
#include "game/graphics/png_writer.h"
#include "test_png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Rgba = std::array<int, 4>;

Rgba pixel(const Image& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

bool decode(const std::string& bytes, Image& image) {
    std::istringstream in(bytes);
    return readPng(in, image);
}

void expectTransparentDot(const Image& image) {
    ASSERT_EQ(image.width(), 1);
    ASSERT_EQ(image.height(), 1);
    EXPECT_EQ(pixel(image, 0, 0), (Rgba{0, 0, 0, 0}));
}

}  // namespace

TEST(Image, DefaultCreateAndRelease) {
    Image image;
    expectTransparentDot(image);
    EXPECT_EQ(image.stride(), 4);
    image.create(3, 2);
    EXPECT_EQ(image.stride(), 12);
    EXPECT_EQ(image.row(1) - image.row(0), 12);
    image.row(1)[11] = 7;
    image.create(3, 2);  // a new picture starts zeroed
    EXPECT_EQ(image.row(1)[11], 0);
    image.release();
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.pixels(), nullptr);
    image.create(-4, 2);
    EXPECT_EQ(image.pixels(), nullptr);
}

TEST(PngReader, RgbaRowsComeTopFirstWithTheirAlpha) {
    TestPng spec;
    spec.width = 256;
    spec.height = 128;
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x) {
            spec.samples.insert(spec.samples.end(), {std::uint16_t(x), std::uint16_t(y), std::uint16_t(x ^ y),
                                                     std::uint16_t(255 - y)});
        }
    }
    Image image;
    ASSERT_TRUE(decode(encodePng(spec), image));
    ASSERT_EQ(image.width(), 256);
    ASSERT_EQ(image.height(), 128);
    EXPECT_EQ(pixel(image, 0, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(pixel(image, 200, 3), (Rgba{200, 3, 200 ^ 3, 252}));
    EXPECT_EQ(pixel(image, 255, 127), (Rgba{255, 127, 255 ^ 127, 128}));
}

TEST(PngReader, EveryColourTypeAndDepthBecomes8BitRgba) {
    struct Case {
        const char* what;
        TestPng spec;
        Rgba first, second;  // the two pixels of a 2x1 picture
    };
    auto png = [](int type, int depth, std::vector<std::uint16_t> samples, bool interlaced = false) {
        TestPng spec;
        spec.width = 2;
        spec.colourType = type;
        spec.bitDepth = depth;
        spec.samples = std::move(samples);
        spec.interlaced = interlaced;
        return spec;
    };
    std::vector<Case> cases = {
        {"grey 1", png(PNG_COLOR_TYPE_GRAY, 1, {1, 0}), {255, 255, 255, 255}, {0, 0, 0, 255}},
        {"grey 2", png(PNG_COLOR_TYPE_GRAY, 2, {1, 3}), {85, 85, 85, 255}, {255, 255, 255, 255}},
        {"grey 4", png(PNG_COLOR_TYPE_GRAY, 4, {5, 15}), {85, 85, 85, 255}, {255, 255, 255, 255}},
        {"grey 8", png(PNG_COLOR_TYPE_GRAY, 8, {7, 200}), {7, 7, 7, 255}, {200, 200, 200, 255}},
        {"grey 16", png(PNG_COLOR_TYPE_GRAY, 16, {0xFFFF, 0x8080}), {255, 255, 255, 255}, {128, 128, 128, 255}},
        {"grey+alpha 8", png(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {10, 20, 30, 40}), {10, 10, 10, 20}, {30, 30, 30, 40}},
        {"grey+alpha 16", png(PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0x0A0A, 0xFFFF, 0, 0x1414}), {10, 10, 10, 255},
         {0, 0, 0, 20}},
        {"rgb 8", png(PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6}), {1, 2, 3, 255}, {4, 5, 6, 255}},
        {"rgb 16", png(PNG_COLOR_TYPE_RGB, 16, {0x0101, 0x0202, 0x0303, 0xFFFF, 0, 0x7F7F}), {1, 2, 3, 255},
         {255, 0, 127, 255}},
        {"rgba 16", png(PNG_COLOR_TYPE_RGBA, 16, {0x0101, 0x0202, 0x0303, 0x0404, 0xFFFF, 0, 0, 0x8080}),
         {1, 2, 3, 4}, {255, 0, 0, 128}},
        {"rgba 8 interlaced", png(PNG_COLOR_TYPE_RGBA, 8, {1, 2, 3, 4, 5, 6, 7, 8}, true), {1, 2, 3, 4},
         {5, 6, 7, 8}},
    };
    TestPng palette = png(PNG_COLOR_TYPE_PALETTE, 4, {2, 1});
    palette.palette = {{0, 0, 0}, {10, 20, 30}, {200, 100, 50}};
    palette.paletteAlpha = {255, 0};  // entry 2 has no alpha entry: opaque
    cases.push_back({"palette 4 with tRNS", palette, {200, 100, 50, 255}, {10, 20, 30, 0}});
    TestPng keyed = png(PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 9, 9, 9});
    keyed.hasTransparentColour = true;
    keyed.transparentColour.red = keyed.transparentColour.green = keyed.transparentColour.blue = 9;
    cases.push_back({"rgb with a transparent colour", keyed, {1, 2, 3, 255}, {9, 9, 9, 0}});
    TestPng keyedGrey = png(PNG_COLOR_TYPE_GRAY, 16, {0x1234, 0xFFFF});
    keyedGrey.hasTransparentColour = true;
    keyedGrey.transparentColour.gray = 0x1234;
    cases.push_back({"grey 16 with a transparent grey", keyedGrey, {18, 18, 18, 0}, {255, 255, 255, 255}});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string bytes = encodePng(c.spec);
        ASSERT_FALSE(bytes.empty());
        Image image;
        ASSERT_TRUE(decode(bytes, image));
        ASSERT_EQ(image.width(), 2);
        ASSERT_EQ(image.height(), 1);
        EXPECT_EQ(pixel(image, 0, 0), c.first);
        EXPECT_EQ(pixel(image, 1, 0), c.second);
    }
}

TEST(PngReader, DamagedStreamsGiveTheTransparentDot) {
    TestPng spec;
    spec.width = 8;
    spec.height = 8;
    spec.samples.assign(8 * 8 * 4, 77);
    const std::string good = encodePng(spec);
    std::vector<std::string> bad = {"", "not a png at all", good.substr(0, 8), good.substr(0, 40),
                                    good.substr(0, good.size() - 20)};
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x55;  // damages the compressed data or its checksum
    bad.push_back(flipped);
    // A sound header claiming 100000 x 8 pixels is refused rather than allocated.
    std::string huge = good;
    huge[17] = 0x01;
    huge[18] = static_cast<char>(0x86);
    huge[19] = static_cast<char>(0xA0);
    const auto crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
    for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    bad.push_back(huge);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        Image image(16, 16);
        EXPECT_FALSE(decode(bad[i], image));
        expectTransparentDot(image);
    }
}

TEST(PngWriter, RoundTripAndUnwritablePaths) {
    Image image(3, 2);
    for (int i = 0; i < 24; ++i) image.pixels()[i] = static_cast<std::uint8_t>(i * 10);
    const auto path = std::filesystem::temp_directory_path() / "dolvane-png-writer-test.png";
    ASSERT_TRUE(writePng(path.string(), image));
    std::ifstream in(path, std::ios::binary);
    Image back;
    ASSERT_TRUE(readPng(in, back));
    EXPECT_EQ(back.width(), 3);
    EXPECT_EQ(back.height(), 2);
    EXPECT_EQ(std::vector<std::uint8_t>(back.pixels(), back.pixels() + 24),
              std::vector<std::uint8_t>(image.pixels(), image.pixels() + 24));
    std::filesystem::remove(path);
    EXPECT_FALSE(writePng("/nonexistent-folder/x.png", image));
    Image empty;
    empty.release();
    EXPECT_FALSE(writePng(path.string(), empty));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(PngReader, PicturesNeedingMoreThan64MiBAreRefused) {
    // One-bit grey compresses to little, so the file is small while the decoded picture is not.
    TestPng spec;
    spec.colourType = PNG_COLOR_TYPE_GRAY;
    spec.bitDepth = 1;
    spec.width = 4096;
    spec.height = 4096;  // exactly 64 MiB once RGBA
    spec.samples.assign(static_cast<std::size_t>(spec.width) * spec.height, 1);
    Image image;
    ASSERT_TRUE(decode(encodePng(spec), image));
    EXPECT_EQ(image.width(), 4096);
    EXPECT_EQ(pixel(image, 4095, 4095), (Rgba{255, 255, 255, 255}));
    image.release();

    spec.width = 8192;
    spec.height = 2049;  // one row past the limit
    spec.samples.assign(static_cast<std::size_t>(spec.width) * spec.height, 1);
    EXPECT_FALSE(decode(encodePng(spec), image));
    expectTransparentDot(image);
}
