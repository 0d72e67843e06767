#include "game/graphics/image.h"

Image::Image() { create(1, 1); }

Image::Image(std::int32_t width, std::int32_t height) { create(width, height); }

void Image::create(std::int32_t width, std::int32_t height) {
    release();
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    stride_ = width * 4;
    pixels_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0);
}

void Image::release() {
    std::vector<std::uint8_t>().swap(pixels_);
    width_ = height_ = stride_ = 0;
}
