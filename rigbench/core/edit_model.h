#pragma once
// The puppet being edited: parts loaded from part files, joint links between them, and the soft-square
// relaxation that settles where everything lies. Plain arithmetic, no platform services.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Point2 {
    float x = 0.0f;
    float y = 0.0f;
};

struct PictureVertex {
    float x = 0.0f;
    float y = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
};

struct BoundCircle {
    float x = 0.0f;
    float y = 0.0f;
    float r = 0.0f;
};

// Rest lengths of the unit square's sides and diagonals.
constexpr float kSquareSide = 1.0f;
constexpr float kSquareDiagonal = 1.4142135f;

// The unit square centred on the origin, counter-clockwise from the top left (y up). A freshly loaded
// part stands on it, and poses measure their distances from it.
constexpr std::array<Point2, 4> kUnitSquare = {{{-0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}}};

float distance(const Point2& a, const Point2& b);

// One distance-constraint step: moves A and B along their line, each by its weight times the error.
void relaxDistance(Point2& a, Point2& b, float rest, float weightA, float weightB);

class EditPart {
public:
    std::array<Point2, 4> corners = kUnitSquare;
    std::vector<Point2> joints;
    std::vector<BoundCircle> bounds;
    std::array<PictureVertex, 4> picture{};
    std::array<float, 16> pictureRest{};
    std::vector<float> jointRest;
    std::vector<float> boundRest;
    std::string texture;
    std::string path;

    // Fills the part from a part file. The path is kept exactly as given (it names the part in the list
    // and in the model file); it is opened relative to the current directory, backslashes as slashes.
    // An unreadable file or missing keys still give a part: empty texture, no joints, no bounds.
    void load(const std::string& partPath);

    // Puts the square back on the origin and measures every rest distance from the present picture,
    // joints and bounds.
    void computeRest();

    // One pass over the part's own constraints: square, picture, joints, bounds.
    void relaxShape();

    Point2 centre() const;
};

struct JointLink {
    std::int32_t partA = 0;
    std::int32_t partB = 0;
    std::int32_t jointA = 0;
    std::int32_t jointB = 0;
    float length = 0.0f;
};

class EditModel {
public:
    std::vector<EditPart> parts;
    std::vector<JointLink> links;

    // Links read from a model file are kept as they stand; one whose numbers name no existing part or
    // joint is carried through saving but never drawn or relaxed.
    bool linkValid(const JointLink& link) const;

    // One pass over all parts, then over all links (a link only ever pulls its joints together).
    void relax();
};
