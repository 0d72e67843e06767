#pragma once
// A new part drawn over a picture: the part's square laid on the picture, joints, and body and attack
// circles, all in the picture's pixels (x right, y down from the top left). Turned into the part file
// the game reads, in the part's own coordinates (the square is side 1 centred on the origin, y up).

#include "edit_model.h"

#include <string>
#include <vector>

struct SketchCircle {
    Point2 centre;  // pixels
    float radius = 0.0f;
    int kind = 0;  // the game's bound kinds: 0 body (can be hurt), 1 attack (hurts bodies)
};

struct PartSketch {
    static constexpr int kBodyKind = 0;
    static constexpr int kAttackKind = 1;

    // The picture's own size, and the size of the texture file it lands in: larger when the picture
    // is padded to sides the game's textures can have, the picture then filling its top left.
    int pictureWidth = 1;
    int pictureHeight = 1;
    int textureWidth = 1;
    int textureHeight = 1;
    // The texture file's name, relative to the part file's folder.
    std::string texture;
    // The part's square over the picture, in pixels.
    Point2 squareCentre;
    float squareSide = 1.0f;
    std::vector<Point2> joints;
    std::vector<SketchCircle> circles;

    // The picture's own bounds, made square about their middle: the picture fills the square's longer way.
    static PartSketch forPicture(int width, int height);

    // A pixel of the picture in the part's coordinates, and back.
    Point2 toPart(Point2 pixel) const;
    Point2 toPixel(Point2 part) const;

    // The part file's canonical text: texture, picture corners (top left first, counter-clockwise,
    // texture coordinates with v down), joints, and bound circles with their kinds.
    std::string partText() const;
};

bool isPowerOfTwo(int n);
// The least power of two not below n (1 for n below 1).
int powerOfTwoAtLeast(int n);
