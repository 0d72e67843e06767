// The PngSuite collection of test pictures: every valid file decodes at its stated size, a few are
// checked pixel by pixel, interlaced files match their plain twins, and every damaged file (x*.png)
// gives the 1x1 transparent picture.
#include "game/graphics/png_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#ifndef DOLVANE_SHARED_CORPUS
#define DOLVANE_SHARED_CORPUS ""
#endif

namespace {

namespace fs = std::filesystem;
using Rgba = std::array<int, 4>;

fs::path suiteFolder() { return fs::path(DOLVANE_SHARED_CORPUS) / "pngsuite"; }

std::map<std::string, fs::path> suiteFiles() {
    std::map<std::string, fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(suiteFolder(), error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".png") files[it->path().filename().string()] = it->path();
    }
    return files;
}

bool decodeFile(const fs::path& path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    return readPng(in, image);
}

// Width and height straight from the IHDR chunk, read without libpng.
std::pair<int, int> headerSize(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char bytes[24] = {};
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    auto be32 = [&](int at) { return bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]; };
    return {be32(16), be32(20)};
}

Rgba pixel(const Image& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

#define SKIP_WITHOUT_SUITE(files)                                                                   \
    if ((files).empty()) GTEST_SKIP() << "PngSuite not found in " << suiteFolder().string()         \
                                      << " (set DOLVANE_SHARED_CORPUS to the shared corpus)"

}  // namespace

TEST(PngSuite, ValidFilesDecodeAtTheirSizeAndDamagedOnesGiveTheTransparentDot) {
    const auto files = suiteFiles();
    SKIP_WITHOUT_SUITE(files);
    int valid = 0, damaged = 0;
    for (const auto& [name, path] : files) {
        SCOPED_TRACE(name);
        Image image(5, 5);
        const bool decoded = decodeFile(path, image);
        if (name[0] == 'x') {
            ++damaged;
            EXPECT_FALSE(decoded);
            ASSERT_EQ(image.width(), 1);
            ASSERT_EQ(image.height(), 1);
            EXPECT_EQ(pixel(image, 0, 0), (Rgba{0, 0, 0, 0}));
        } else {
            ++valid;
            EXPECT_TRUE(decoded);
            const auto [width, height] = headerSize(path);
            EXPECT_EQ(image.width(), width);
            EXPECT_EQ(image.height(), height);
            EXPECT_EQ(image.stride(), width * 4);
        }
    }
    EXPECT_GT(valid, 100);
    EXPECT_GT(damaged, 10);
}

TEST(PngSuite, KnownPixels) {
    const auto files = suiteFiles();
    SKIP_WITHOUT_SUITE(files);
    struct Probe {
        const char* file;
        int x, y;
        Rgba rgba;
    };
    // Values from an independent decoder of the raw samples (16-bit samples scaled with rounding).
    const Probe probes[] = {
        {"basn0g01.png", 0, 0, {255, 255, 255, 255}}, {"basn0g01.png", 31, 31, {0, 0, 0, 255}},
        {"basn0g04.png", 31, 31, {238, 238, 238, 255}}, {"basn0g04.png", 16, 10, {102, 102, 102, 255}},
        {"basn2c16.png", 0, 0, {255, 255, 0, 255}},   {"basn2c16.png", 16, 10, {123, 173, 0, 255}},
        {"basn3p04.png", 31, 31, {255, 0, 187, 255}}, {"basn3p04.png", 5, 8, {221, 255, 0, 255}},
        {"tbbn3p08.png", 0, 0, {255, 255, 255, 0}},   {"tbbn3p08.png", 16, 10, {123, 123, 123, 255}},
        {"basn4a16.png", 16, 10, {232, 232, 232, 165}}, {"basn4a16.png", 5, 8, {73, 73, 73, 82}},
        {"basn6a08.png", 0, 0, {255, 0, 8, 0}},       {"basn6a08.png", 16, 10, {192, 255, 6, 131}},
        {"basn6a16.png", 16, 10, {116, 255, 0, 165}}, {"tbrn2c08.png", 0, 0, {255, 255, 255, 0}},
        {"tbbn0g04.png", 5, 8, {136, 136, 136, 255}}, {"tbbn0g04.png", 31, 31, {255, 255, 255, 0}},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(std::string(probe.file) + " at " + std::to_string(probe.x) + "," + std::to_string(probe.y));
        const auto found = files.find(probe.file);
        ASSERT_NE(found, files.end());
        Image image;
        ASSERT_TRUE(decodeFile(found->second, image));
        EXPECT_EQ(pixel(image, probe.x, probe.y), probe.rgba);
    }
}

TEST(PngSuite, InterlacedFilesMatchTheirPlainTwins) {
    const auto files = suiteFiles();
    SKIP_WITHOUT_SUITE(files);
    int pairs = 0;
    for (const auto& [name, path] : files) {
        // basi0g08.png and basn0g08.png, s05i3p02.png and s05n3p02.png hold the same picture.
        const std::size_t mark = name[0] == 'b' ? 3 : (name[0] == 's' ? 3 : std::string::npos);
        if (mark == std::string::npos || name.size() < 8 || name[mark] != 'i') continue;
        std::string twin = name;
        twin[mark] = 'n';
        const auto plain = files.find(twin);
        if (plain == files.end()) continue;
        SCOPED_TRACE(name);
        Image interlaced, progressive;
        ASSERT_TRUE(decodeFile(path, interlaced));
        ASSERT_TRUE(decodeFile(plain->second, progressive));
        ASSERT_EQ(interlaced.width(), progressive.width());
        ASSERT_EQ(interlaced.height(), progressive.height());
        const std::size_t bytes = static_cast<std::size_t>(interlaced.stride()) * interlaced.height();
        EXPECT_EQ(std::vector<std::uint8_t>(interlaced.pixels(), interlaced.pixels() + bytes),
                  std::vector<std::uint8_t>(progressive.pixels(), progressive.pixels() + bytes));
        ++pairs;
    }
    EXPECT_GT(pairs, 20);
}
