#pragma once
// Geometry of poses: where the parts of a pose stand, the distance table the game reads, and the
// check that every link is still closed.

#include "rig.h"

#include <string>
#include <vector>

// Corner j of the unit square, numbered as part frames and pose anchors are: top left, then
// counter-clockwise.
RigVec unitCorner(int j);

// A point given in part coordinates, moved to where the placed part puts it.
RigVec placePoint(const PlacedPart& placed, RigVec local);
PlacedPart placePart(RigVec position, float angle, bool mirror);

// Lays out every part of the rig as the pose says. Parts without a position hang from a placed
// neighbour: they are moved so that their joint meets the neighbour's joint. Returns false with a
// message when a part is missing, placed twice or cannot be reached through links.
bool arrangePose(const Rig& rig, const PoseSpec& pose, std::vector<PlacedPart>& placed, std::string& error);

// 16 distances per part, part-major: entry 16p + 4k + j is the distance from unit anchor k to
// corner j of part p, exactly as the editor saves a pose.
std::vector<float> poseTable(const std::vector<PlacedPart>& placed);

// One message per link whose joints the pose leaves farther apart than its length + tolerance.
std::vector<std::string> openLinks(const Rig& rig, const std::vector<PlacedPart>& placed, float tolerance);
