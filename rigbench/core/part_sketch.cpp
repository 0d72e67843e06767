#include "part_sketch.h"

#include "datatree/data_file.h"

#include <algorithm>

PartSketch PartSketch::forPicture(int width, int height) {
    PartSketch sketch;
    sketch.pictureWidth = std::max(width, 1);
    sketch.pictureHeight = std::max(height, 1);
    sketch.textureWidth = sketch.pictureWidth;
    sketch.textureHeight = sketch.pictureHeight;
    sketch.squareCentre = {static_cast<float>(sketch.pictureWidth) / 2.0f,
                           static_cast<float>(sketch.pictureHeight) / 2.0f};
    sketch.squareSide = static_cast<float>(std::max(sketch.pictureWidth, sketch.pictureHeight));
    return sketch;
}

Point2 PartSketch::toPart(Point2 pixel) const {
    return {(pixel.x - squareCentre.x) / squareSide, (squareCentre.y - pixel.y) / squareSide};
}

Point2 PartSketch::toPixel(Point2 part) const {
    return {squareCentre.x + part.x * squareSide, squareCentre.y - part.y * squareSide};
}

std::string PartSketch::partText() const {
    DataRef root;
    root.member("texture")->setText(texture);

    const auto w = static_cast<float>(pictureWidth);
    const auto h = static_cast<float>(pictureHeight);
    const float uRight = w / static_cast<float>(std::max(textureWidth, 1));
    const float vBottom = h / static_cast<float>(std::max(textureHeight, 1));
    // Corners run from the top left counter-clockwise, as the frame's do, so the picture is one fan.
    const Point2 pixels[4] = {{0.0f, 0.0f}, {0.0f, h}, {w, h}, {w, 0.0f}};
    const float u[4] = {0.0f, 0.0f, uRight, uRight};
    const float v[4] = {0.0f, vBottom, vBottom, 0.0f};
    DataRef& frame = root.member("pic_frame");
    frame.makeArray(4);
    for (std::uint32_t c = 0; c < 4; ++c) {
        const Point2 at = toPart(pixels[c]);
        DataRef& e = frame->item(c);
        e.member("x").setFloat(at.x);
        e.member("y").setFloat(at.y);
        e.member("u").setFloat(u[c]);
        e.member("v").setFloat(v[c]);
    }

    DataRef& jointList = root.member("joints");
    jointList.makeArray(static_cast<std::uint32_t>(joints.size()));
    for (std::uint32_t j = 0; j < joints.size(); ++j) {
        const Point2 at = toPart(joints[j]);
        jointList->item(j).member("x").setFloat(at.x);
        jointList->item(j).member("y").setFloat(at.y);
    }

    DataRef& boundList = root.member("bound");
    boundList.makeArray(static_cast<std::uint32_t>(circles.size()));
    for (std::uint32_t b = 0; b < circles.size(); ++b) {
        const Point2 at = toPart(circles[b].centre);
        DataRef& e = boundList->item(b);
        e.member("x").setFloat(at.x);
        e.member("y").setFloat(at.y);
        e.member("r").setFloat(circles[b].radius / squareSide);
        e.member("kind").setInt(circles[b].kind);
    }
    return writeDataString(root);
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

int powerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}
