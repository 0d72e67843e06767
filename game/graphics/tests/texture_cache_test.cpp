// The texture cache: one texture per name byte for byte, uploads as the file says, a 1x1 transparent
// texture for anything unreadable, and a fresh start after clear().
#include "game/graphics/png_writer.h"
#include "game/graphics/texture_cache.h"
#include "platform/egl/headless_gl.h"
#include "test_png.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A scratch working directory with a GL context current, for the life of a test.
class TextureCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.current()) << "no headless OpenGL context (Mesa's surfaceless EGL)";
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "dolvane-textures-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        fs::current_path(folder_);
        fs::create_directories("data/pics");
    }
    void TearDown() override {
        if (folder_.empty()) return;
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }
    static void writePicture(const std::string& path, int width, int height, std::uint8_t seed) {
        Image image(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = image.row(y) + 4 * x;
                p[0] = static_cast<std::uint8_t>(x + seed);
                p[1] = static_cast<std::uint8_t>(y);
                p[2] = seed;
                p[3] = static_cast<std::uint8_t>(255 - y);
            }
        }
        ASSERT_TRUE(writePng(path, image));
    }
    // The texture's level 0 as GL holds it, rows in upload order.
    static std::vector<std::uint8_t> texels(Texture texture, int& width, int& height) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    HeadlessGl gl_;
    fs::path previous_, folder_;
};

}  // namespace

TEST_F(TextureCacheTest, ARgbaFileUploadsTopRowFirstWithItsAlphaAndTheGlStateSet) {
    TextureCache cache;
    EXPECT_EQ(TextureCache::instance(), &cache);
    writePicture("data/pics/wide.png", 256, 128, 3);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const Texture texture = cache.load("data\\pics\\wide.png");
    ASSERT_NE(texture, 0u);

    GLint bound = 0, alignment = 0, wrapS = 0, wrapT = 0, magFilter = 0, minFilter = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(static_cast<Texture>(bound), texture);  // left bound
    EXPECT_EQ(alignment, 1);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(wrapS, GL_REPEAT);
    EXPECT_EQ(wrapT, GL_REPEAT);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(minFilter, GL_LINEAR);

    int width = 0, height = 0;
    const auto pixels = texels(texture, width, height);
    ASSERT_EQ(width, 256);
    ASSERT_EQ(height, 128);
    auto at = [&](int x, int y, int channel) { return pixels[(static_cast<std::size_t>(y) * 256 + x) * 4 + channel]; };
    EXPECT_EQ(at(0, 0, 1), 0);      // the first row uploaded is the file's top row
    EXPECT_EQ(at(0, 0, 3), 255);
    EXPECT_EQ(at(10, 127, 1), 127);
    EXPECT_EQ(at(10, 127, 3), 128);
    EXPECT_EQ(at(10, 127, 0), 13);
    EXPECT_EQ(at(10, 127, 2), 3);
}

TEST_F(TextureCacheTest, SameNameSameTextureWithoutRereadingAndOtherSpellingsAreOtherTextures) {
    TextureCache cache;
    writePicture("data/pics/a.png", 4, 4, 10);
    const Texture first = cache.load("data\\pics\\a.png");
    writePicture("data/pics/a.png", 4, 4, 99);  // a changed file is not read again
    EXPECT_EQ(cache.load("data\\pics\\a.png"), first);
    EXPECT_EQ(cache.size(), 1u);
    int width = 0, height = 0;
    EXPECT_EQ(texels(first, width, height)[2], 10);

    const Texture slashed = cache.load("data/pics/a.png");
    const Texture cased = cache.load("data\\pics\\A.png");  // no such file: still its own entry
    EXPECT_NE(slashed, first);
    EXPECT_NE(cased, first);
    EXPECT_NE(cased, slashed);
    EXPECT_EQ(cache.size(), 3u);
    EXPECT_EQ(texels(slashed, width, height)[2], 99);
}

TEST_F(TextureCacheTest, UnreadableFilesGiveACachedTransparentDot) {
    TextureCache cache;
    std::ofstream("data/pics/broken.png", std::ios::binary) << "\x89PNG\r\n\x1a\nbroken";
    TestPng sixteenBit;
    sixteenBit.width = 2;
    sixteenBit.colourType = PNG_COLOR_TYPE_RGB;
    sixteenBit.bitDepth = 16;
    sixteenBit.samples = {0xFFFF, 0, 0, 0, 0xFFFF, 0};
    std::ofstream("data/pics/deep.png", std::ios::binary) << encodePng(sixteenBit);

    for (const char* name : {"data\\pics\\missing.png", "data\\pics\\broken.png", "data\\pics", ""}) {
        SCOPED_TRACE(name);
        const Texture texture = cache.load(name);
        EXPECT_NE(texture, 0u);
        EXPECT_EQ(cache.load(name), texture);
        int width = 0, height = 0;
        EXPECT_EQ(texels(texture, width, height), std::vector<std::uint8_t>(4, 0));
        EXPECT_EQ(width, 1);
        EXPECT_EQ(height, 1);
    }
    int width = 0, height = 0;
    EXPECT_EQ(texels(cache.load("data\\pics\\deep.png"), width, height),
              (std::vector<std::uint8_t>{255, 0, 0, 255, 0, 255, 0, 255}));
}

TEST_F(TextureCacheTest, ClearDeletesEveryTextureAndAReloadReadsTheFileAgain) {
    TextureCache cache;
    writePicture("data/pics/a.png", 2, 2, 1);
    const Texture a = cache.load("data\\pics\\a.png");
    const Texture b = cache.load("data\\pics\\b.png");
    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_FALSE(glIsTexture(a));
    EXPECT_FALSE(glIsTexture(b));
    writePicture("data/pics/a.png", 2, 2, 50);
    const Texture again = cache.load("data\\pics\\a.png");
    EXPECT_TRUE(glIsTexture(again));
    int width = 0, height = 0;
    EXPECT_EQ(texels(again, width, height)[2], 50);
    EXPECT_EQ(cache.size(), 1u);
}

TEST(TextureCacheHeadless, EveryNameIsTextureZeroAndCounted) {
    TextureCache cache;
    cache.setHeadless(true);
    EXPECT_TRUE(cache.headless());
    EXPECT_EQ(cache.load("data\\hero\\body.png"), 0u);
    EXPECT_EQ(cache.load("data\\hero\\body.png"), 0u);
    EXPECT_EQ(cache.load("data/hero/body.png"), 0u);
    EXPECT_EQ(cache.size(), 2u);
    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
}

TEST(TextureCacheInstance, TheInstanceLivesWithTheCache) {
    {
        TextureCache cache;
        EXPECT_EQ(TextureCache::instance(), &cache);
    }
    EXPECT_EQ(TextureCache::instance(), nullptr);
}
