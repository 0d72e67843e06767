#include "game/graphics/screen_capture.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

void discardPixels(bool discard) {
    if (discard) {
        glEnable(GL_RASTERIZER_DISCARD);
    } else {
        glDisable(GL_RASTERIZER_DISCARD);
    }
}

Image captureScreen(std::int32_t width, std::int32_t height) {
    Image image(width, height);
    if (!image.pixels()) return image;
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels());
    // GL rows run bottom up; pictures are stored top row first.
    std::vector<std::uint8_t> swap(static_cast<std::size_t>(image.stride()));
    for (std::int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::copy_n(image.row(top), swap.size(), swap.data());
        std::copy_n(image.row(bottom), swap.size(), image.row(top));
        std::copy_n(swap.data(), swap.size(), image.row(bottom));
    }
    return image;
}
