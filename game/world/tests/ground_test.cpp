#include "game/world/ground.h"

#include "game/graphics/texture_cache.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

void expectLine(const ContactLine& line, float nx, float ny, float d) {
    EXPECT_NEAR(line.nx, nx, 1e-6f);
    EXPECT_NEAR(line.ny, ny, 1e-6f);
    EXPECT_NEAR(line.d, d, 1e-6f);
}

bool isFlat(const ContactLine& line) { return line.nx == 0.0f && line.ny == 1.0f && line.d == 0.0f; }

}  // namespace

TEST(Ground, LinesFromSamplesAndTheFlatLineBeyond) {
    TempDir dir;
    dir.write("stage/0.ground", "{heights=[0,0,1,],size=3,texture=rock.png,},");
    TextureCache cache;
    cache.setHeadless(true);

    Ground ground;
    ground.load(dir.path() + "/stage", "0.ground");  // no trailing backslash: one is added
    ASSERT_EQ(ground.heights.size(), 3u);
    ASSERT_EQ(ground.lineCount(), 2u);
    expectLine(ground.line(0), 0.0f, 1.0f, 0.0f);
    expectLine(ground.line(1), -0.70710678f, 0.70710678f, -0.70710678f);
    EXPECT_TRUE(isFlat(ground.line(2)));
    EXPECT_TRUE(isFlat(ground.line(static_cast<std::uint32_t>(-1))));
    EXPECT_EQ(cache.size(), 1u) << "the ground's picture is asked for once";

    // A point standing on the slope half way along line 1 (x = 1.5, y = 0.5) is on the line.
    const ContactLine& slope = ground.line(1);
    EXPECT_NEAR(slope.nx * 1.5f + slope.ny * 0.5f - slope.d, 0.0f, 1e-6f);

    // Editing a sample moves the lines as soon as the ground is refreshed.
    ground.heights[1] = 1.0f;
    ground.refresh();
    expectLine(ground.line(0), -0.70710678f, 0.70710678f, 0.0f);
    expectLine(ground.line(1), 0.0f, 1.0f, 1.0f);

    // Loading replaces everything.
    dir.write("stage/1.ground", "{size=2,},");
    ground.load(dir.path() + "/stage\\", "1.ground");
    EXPECT_EQ(ground.heights, (std::vector<float>{0.0f, 0.0f}));
    EXPECT_EQ(ground.lineCount(), 1u);
}

TEST(Ground, ColumnsTruncateTowardZeroAndFarOffPositionsLandBeyond) {
    const std::uint32_t beyond = std::numeric_limits<std::uint32_t>::max();
    EXPECT_EQ(groundColumn(-0.5f), 0u);
    EXPECT_EQ(groundColumn(0.99f), 0u);
    EXPECT_EQ(groundColumn(2.5f), 2u);
    EXPECT_EQ(groundColumn(-1.0f), beyond);
    EXPECT_EQ(groundColumn(-1.5f), beyond);
    EXPECT_EQ(groundColumn(3e9f), beyond);
    EXPECT_EQ(groundColumn(-3e9f), beyond);
    EXPECT_EQ(groundColumn(std::numeric_limits<float>::quiet_NaN()), beyond);
    EXPECT_EQ(groundColumn(std::numeric_limits<float>::infinity()), beyond);
}

TEST(Ground, MissingOrOddFilesStillGiveAPlayableGround) {
    TempDir dir;
    const std::vector<float> fallback(Ground::kFallbackSamples, 0.0f);
    Ground ground;

    ground.load(dir.path(), "missing.ground");
    EXPECT_EQ(ground.heights, fallback);
    ASSERT_EQ(ground.lineCount(), static_cast<std::uint32_t>(Ground::kFallbackSamples - 1));
    for (std::uint32_t i = 0; i < ground.lineCount(); ++i) EXPECT_TRUE(isFlat(ground.line(i)));

    const char* noSize[] = {"{heights=[1,2,3,],},", "{size=,heights=[1,],},", "{size=1,heights=[5,],},",
                            "{size=-4,},",          "[1,2,3,],",              "{heights=[1,2"};
    for (const char* text : noSize) {
        dir.write("odd.ground", text);
        ground.load(dir.path(), "odd.ground");
        EXPECT_EQ(ground.heights, fallback) << text;
    }

    // A size beyond the samples pads with zeros; text that is no number stays 0; a truncated file
    // keeps what was read before the cut.
    dir.write("short.ground", "{size=4,heights=[1,x,2.5,],},");
    ground.load(dir.path(), "short.ground");
    EXPECT_EQ(ground.heights, (std::vector<float>{1.0f, 0.0f, 2.5f, 0.0f}));
    dir.write("cut.ground", "{size=3,heights=[7,8");
    ground.load(dir.path(), "cut.ground");
    EXPECT_EQ(ground.heights.size(), 3u);
    EXPECT_EQ(ground.heights[0], 7.0f);

    dir.write("huge.ground", "{size=2000000000,},");
    ground.load(dir.path(), "huge.ground");
    EXPECT_EQ(ground.heights.size(), static_cast<std::size_t>(Ground::kMaxSamples));

    // No cache at all: the ground still loads, with texture 0.
    dir.write("plain.ground", "{size=2,texture=a.png,},");
    ground.load(dir.path(), "plain.ground");
    EXPECT_EQ(ground.texture, 0u);
    EXPECT_EQ(ground.lineCount(), 1u);
}
