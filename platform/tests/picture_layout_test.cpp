// Where the picture lies in windows of many shapes, the way back from window to picture pixels, and
// the size the window opens at on common desktops.
#include "platform/picture_layout.h"

#include <gtest/gtest.h>

namespace {

PictureRect rect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return PictureRect{x, y, width, height};
}

}  // namespace

// Found by the test framework's lookup beside PictureRect, to print a failing rectangle readably.
static void PrintTo(const PictureRect& r, std::ostream* out) {
    *out << r.width << "x" << r.height << "+" << r.x << "+" << r.y;
}

TEST(PictureLayout, EveryScalingPlacesThePictureAndMapsThePointerBack) {
    using S = PictureScaling;
    // Fit keeps 4:3 with bars on the long side; whole multiples stay crisp and centred; off is the
    // original's lower-left corner, whatever the window.
    EXPECT_EQ(pictureRect(S::kFit, 1280, 960), rect(0, 0, 1280, 960));
    EXPECT_EQ(pictureRect(S::kFit, 1920, 1080), rect(240, 0, 1440, 1080));
    EXPECT_EQ(pictureRect(S::kFit, 800, 1000), rect(0, 200, 800, 600));
    EXPECT_EQ(pictureRect(S::kWhole, 1920, 1080), rect(320, 60, 1280, 960));
    EXPECT_EQ(pictureRect(S::kWhole, 1279, 959), rect(319, 239, 640, 480));
    EXPECT_EQ(pictureRect(S::kWhole, 400, 300), rect(0, 0, 400, 300));  // too small: shrunk to fit
    EXPECT_EQ(pictureRect(S::kOff, 1024, 768), rect(0, 288, 640, 480));
    EXPECT_EQ(pictureRect(S::kFit, 0, 0), rect(0, 0, 0, 0));

    // The same picture pixel under the pointer at any window size; outside the picture the positions
    // go on beyond it.
    std::int32_t x = 0, y = 0;
    windowToPicture(pictureRect(S::kFit, 1280, 960), 641, 481, x, y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    windowToPicture(pictureRect(S::kFit, 1920, 1080), 240, 1079, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 479);
    windowToPicture(pictureRect(S::kFit, 1920, 1080), 100, -9, x, y);
    EXPECT_EQ(x, -63);  // in the left bar
    EXPECT_EQ(y, -4);
    windowToPicture(pictureRect(S::kOff, 1024, 768), 10, 300, x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 12);

    EXPECT_EQ(pictureScalingFromName("whole"), S::kWhole);
    EXPECT_EQ(pictureScalingFromName("off"), S::kOff);
    for (const char* other : {"fit", "", "Whole", "off ", "2"}) EXPECT_EQ(pictureScalingFromName(other), S::kFit);
    EXPECT_EQ(pictureScalingFromName(nullptr), S::kFit);
}

TEST(PictureLayout, DefaultWindowIsTheLargestWholeMultipleWithRoomToSpare) {
    struct Case {
        std::int32_t usableWidth, usableHeight, width, height;
    };
    const Case cases[] = {
        {1920, 1080, 1280, 960}, {1920, 1040, 1280, 960}, {3840, 2110, 2560, 1920},
        {1366, 728, 640, 480},   {1280, 1000, 640, 480},  {1024, 768, 640, 480},
        {800, 600, 640, 480},    {320, 200, 640, 480},    {0, 0, 640, 480},  // never smaller than one picture
    };
    for (const Case& c : cases) {
        std::int32_t width = 0, height = 0;
        defaultWindowSize(c.usableWidth, c.usableHeight, width, height);
        EXPECT_EQ(width, c.width) << c.usableWidth << "x" << c.usableHeight;
        EXPECT_EQ(height, c.height) << c.usableWidth << "x" << c.usableHeight;
    }
}
