#include "platform/picture_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

PictureScaling pictureScalingFromName(const char* name) {
    if (name && std::strcmp(name, "whole") == 0) return PictureScaling::kWhole;
    if (name && std::strcmp(name, "off") == 0) return PictureScaling::kOff;
    return PictureScaling::kFit;
}

PictureRect pictureRect(PictureScaling scaling, std::int32_t windowWidth, std::int32_t windowHeight) {
    PictureRect rect;
    if (scaling == PictureScaling::kOff) {
        // The original's place: the lower-left corner, unscaled, whatever the window's size.
        rect.y = windowHeight - kPictureHeight;
        return rect;
    }
    if (windowWidth <= 0 || windowHeight <= 0) return PictureRect{0, 0, 0, 0};
    if (scaling == PictureScaling::kWhole) {
        // A window smaller than the picture still shows it whole, shrunk to fit.
        const std::int32_t factor = std::min(windowWidth / kPictureWidth, windowHeight / kPictureHeight);
        if (factor >= 1) {
            rect.width = kPictureWidth * factor;
            rect.height = kPictureHeight * factor;
            rect.x = (windowWidth - rect.width) / 2;
            rect.y = (windowHeight - rect.height) / 2;
            return rect;
        }
    }
    // 4:3 kept: the side that limits the picture is filled, the other gets equal bars.
    const std::int64_t wide = std::int64_t{windowWidth} * kPictureHeight;
    const std::int64_t tall = std::int64_t{windowHeight} * kPictureWidth;
    if (wide >= tall) {
        rect.height = windowHeight;
        rect.width = static_cast<std::int32_t>(tall / kPictureHeight);
    } else {
        rect.width = windowWidth;
        rect.height = static_cast<std::int32_t>(wide / kPictureWidth);
    }
    rect.x = (windowWidth - rect.width) / 2;
    rect.y = (windowHeight - rect.height) / 2;
    return rect;
}

void windowToPicture(const PictureRect& rect, std::int32_t windowX, std::int32_t windowY, std::int32_t& pictureX,
                     std::int32_t& pictureY) {
    if (rect.width <= 0 || rect.height <= 0) {
        pictureX = windowX - rect.x;
        pictureY = windowY - rect.y;
        return;
    }
    pictureX = static_cast<std::int32_t>(
        std::floor(static_cast<double>(windowX - rect.x) * kPictureWidth / rect.width));
    pictureY = static_cast<std::int32_t>(
        std::floor(static_cast<double>(windowY - rect.y) * kPictureHeight / rect.height));
}

void defaultWindowSize(std::int32_t usableWidth, std::int32_t usableHeight, std::int32_t& width,
                       std::int32_t& height) {
    const std::int32_t roomWidth = usableWidth - usableWidth / 20;
    const std::int32_t roomHeight = usableHeight - usableHeight / 20;
    const std::int32_t factor = std::max(1, std::min(roomWidth / kPictureWidth, roomHeight / kPictureHeight));
    width = kPictureWidth * factor;
    height = kPictureHeight * factor;
}
