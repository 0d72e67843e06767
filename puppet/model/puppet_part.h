#pragma once
// One flat part of a puppet: a textured four-cornered picture, a control frame, joints where other
// parts attach and bound circles for collisions. Everything but the frame is kept only as distances to
// the frame's corners, so moving, turning, mirroring or scaling the frame carries the whole part along.

#include "frame_square.h"
#include "point_mass.h"
#include "vec2.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PictureCorner {
    float x = 0.0f;  // in part coordinates when loaded; where it was last drawn afterwards
    float y = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
};

struct PuppetPart {
    std::array<PictureCorner, 4> corners{};
    std::uint32_t texture = 0;
    std::vector<PointMass> boundCentres;
    std::vector<float> boundRadii;
    std::vector<std::int32_t> boundKinds;
    std::vector<PointMass> joints;
    FrameSquare frame;
    std::array<float, 16> pictureRest{};  // [4k + i]: picture corner k to frame corner i
    std::vector<float> jointRest;         // [4j + i]: joint j to frame corner i
    std::vector<float> boundRest;         // [4b + i]: bound centre b to frame corner i

    PuppetPart() { frame.init(1.0f); }

    // Replaces everything by the part file's content (a game path, backslashes kept).
    void load(const std::string& path);

    // Pulls joints and bound centres to their rest distances from the frame.
    void fit();
    void step();
    void push(Vec2 v);
    void move(Vec2 v);
    void damp(Vec2 k);
    void scale(float a);
    // Swaps the frame's corners left for right; the fits and draws that follow rebuild the rest mirrored.
    void mirror();

    // Puts the picture corners at their rest distances from the frame, which stays where it is.
    void placePicture();
    // Draws the picture as one textured fan in the plane z, with opacity alpha. Needs a current GL context.
    void draw(float z, float alpha);
};
