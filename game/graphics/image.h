#pragma once
// A picture in memory: 4 bytes a pixel (R, G, B, A), rows top first, each row `stride` bytes. An
// Image lives only while a texture is made from it.

#include <cstdint>
#include <vector>

class Image {
public:
    Image();  // 1x1, its one pixel 0: transparent black
    Image(std::int32_t width, std::int32_t height);

    // Drops the old picture and makes a zero-filled one of the given size (empty when a side is not
    // positive).
    void create(std::int32_t width, std::int32_t height);
    // Frees the pixels; the Image is then 0x0.
    void release();

    std::uint8_t* pixels() { return pixels_.empty() ? nullptr : pixels_.data(); }
    const std::uint8_t* pixels() const { return pixels_.empty() ? nullptr : pixels_.data(); }
    std::uint8_t* row(std::int32_t y) { return pixels() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* row(std::int32_t y) const { return pixels() + static_cast<std::size_t>(y) * stride_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::int32_t stride() const { return stride_; }

private:
    std::vector<std::uint8_t> pixels_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t stride_ = 0;
};
