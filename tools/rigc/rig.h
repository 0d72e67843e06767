#pragma once
// A puppet as its author describes it: parts with pictures, joints and bound circles, the links
// between joints, the model files that list the parts, and poses given as placements of parts.
// All lengths here are world units (the description's design units already divided out) with y up.

#include <string>
#include <vector>

struct RigVec {
    float x = 0;
    float y = 0;
};

struct BoundSpec {
    RigVec centre;
    float radius = 0;
    int kind = 0;
};

struct JointSpec {
    std::string name;
    RigVec at;
};

struct PartSpec {
    std::string name;         // unique within the rig; links and placements refer to it
    std::string file;         // part file written for it, relative to the model's folder
    std::string picture;      // texture path as the part file names it, relative to the part file
    RigVec quadMin, quadMax;  // picture rectangle in part coordinates (frame is the unit square)
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;  // texture rectangle; v grows downwards
    std::vector<JointSpec> joints;
    std::vector<BoundSpec> bounds;
};

struct LinkSpec {
    int partA = 0, jointA = 0, partB = 0, jointB = 0;
    float length = 0;
};

// Every model of a rig has the same parts and links; models differ only in the folder their part
// files (and so their pictures) live in, which is how colour variants share one skeleton.
struct ModelSpec {
    std::string file;
    std::string folder;  // prefix of every part path in the model, with a trailing backslash or empty
};

struct Placement {
    int part = -1;
    bool hasPosition = false;  // without a position the part hangs from an already placed neighbour
    RigVec position;
    float angle = 0;  // radians, counter-clockwise
    bool mirror = false;
};

struct PoseSpec {
    std::string file;
    std::vector<Placement> placements;
    bool centre = false;  // shift the finished arrangement so that its parts' centres average to 0
};

struct Rig {
    std::vector<PartSpec> parts;
    std::vector<LinkSpec> links;
    std::vector<ModelSpec> models;
    std::vector<PoseSpec> poses;
};

// Where a placed part's frame corners are, in the puppet frame's coordinates.
struct PlacedPart {
    RigVec corners[4];
    RigVec position;
    float angle = 0;
    bool mirror = false;
};
