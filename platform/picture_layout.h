#pragma once
// Where the game's fixed-size picture lies in a window of any size, and the way back from a window
// pixel to a picture pixel. Plain arithmetic, shared by the window backends and their tests.

#include <cstdint>

inline constexpr std::int32_t kPictureWidth = 640;
inline constexpr std::int32_t kPictureHeight = 480;

// How the picture fills the window: as large as fits (4:3 kept, black bars), only in whole multiples
// of its size (crisp pixels), or not scaled at all in the lower-left corner.
enum class PictureScaling { kFit, kWhole, kOff };

// A rectangle in window pixels, y counted from the top.
struct PictureRect {
    std::int32_t x = 0, y = 0, width = kPictureWidth, height = kPictureHeight;
    bool operator==(const PictureRect&) const = default;
};

// The value of config/window.txt's `scale` key: "fit", "whole" or "off"; anything else is fit.
PictureScaling pictureScalingFromName(const char* name);

PictureRect pictureRect(PictureScaling scaling, std::int32_t windowWidth, std::int32_t windowHeight);

// The picture pixel under a window pixel; outside the picture the answer lies outside 0 ... 639 x
// 0 ... 479 in the same way (negative to the left and above).
void windowToPicture(const PictureRect& rect, std::int32_t windowX, std::int32_t windowY, std::int32_t& pictureX,
                     std::int32_t& pictureY);

// The window size the game opens at when none is set: the largest whole multiple of the picture
// that fits the usable desktop with a twentieth of it to spare, for the title bar and the borders.
void defaultWindowSize(std::int32_t usableWidth, std::int32_t usableHeight, std::int32_t& width,
                       std::int32_t& height);
