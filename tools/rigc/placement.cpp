#include "placement.h"

#include <cmath>

namespace {

float distance(RigVec a, RigVec b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The link joining part `part` to a part already placed, if any, as (own joint, other part, other
// joint).
bool findAnchorLink(const Rig& rig, int part, const std::vector<bool>& done, int& ownJoint, int& otherPart,
                    int& otherJoint) {
    for (const LinkSpec& link : rig.links) {
        if (link.partA == part && done[link.partB]) {
            ownJoint = link.jointA;
            otherPart = link.partB;
            otherJoint = link.jointB;
            return true;
        }
        if (link.partB == part && done[link.partA]) {
            ownJoint = link.jointB;
            otherPart = link.partA;
            otherJoint = link.jointA;
            return true;
        }
    }
    return false;
}

}  // namespace

RigVec unitCorner(int j) {
    static const RigVec corners[4] = {{-0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}};
    return corners[j & 3];
}

RigVec placePoint(const PlacedPart& placed, RigVec local) {
    const float x = placed.mirror ? -local.x : local.x;
    const float c = std::cos(placed.angle), s = std::sin(placed.angle);
    return {placed.position.x + c * x - s * local.y, placed.position.y + s * x + c * local.y};
}

PlacedPart placePart(RigVec position, float angle, bool mirror) {
    PlacedPart placed;
    placed.position = position;
    placed.angle = angle;
    placed.mirror = mirror;
    for (int j = 0; j < 4; ++j) placed.corners[j] = placePoint(placed, unitCorner(j));
    return placed;
}

bool arrangePose(const Rig& rig, const PoseSpec& pose, std::vector<PlacedPart>& placed, std::string& error) {
    const size_t n = rig.parts.size();
    placed.assign(n, PlacedPart{});
    std::vector<bool> done(n, false);
    std::vector<const Placement*> wanted(n, nullptr);
    for (const Placement& p : pose.placements) {
        if (p.part < 0 || static_cast<size_t>(p.part) >= n) {
            error = pose.file + ": placement of an unknown part";
            return false;
        }
        if (wanted[p.part]) {
            error = pose.file + ": part " + rig.parts[p.part].name + " is placed twice";
            return false;
        }
        wanted[p.part] = &p;
    }
    for (size_t i = 0; i < n; ++i) {
        if (!wanted[i]) {
            error = pose.file + ": part " + rig.parts[i].name + " is not placed";
            return false;
        }
        if (wanted[i]->hasPosition) {
            placed[i] = placePart(wanted[i]->position, wanted[i]->angle, wanted[i]->mirror);
            done[i] = true;
        }
    }
    // Hanging parts follow their neighbours outwards from the positioned ones, in file order.
    for (bool progress = true; progress;) {
        progress = false;
        for (const Placement& p : pose.placements) {
            int own = 0, other = 0, otherJoint = 0;
            if (done[p.part] || !findAnchorLink(rig, p.part, done, own, other, otherJoint)) continue;
            const RigVec target = placePoint(placed[other], rig.parts[other].joints[otherJoint].at);
            const PlacedPart probe = placePart({0, 0}, p.angle, p.mirror);
            const RigVec offset = placePoint(probe, rig.parts[p.part].joints[own].at);
            placed[p.part] = placePart({target.x - offset.x, target.y - offset.y}, p.angle, p.mirror);
            done[p.part] = true;
            progress = true;
        }
    }
    for (size_t i = 0; i < n; ++i) {
        if (!done[i]) {
            error =
                pose.file + ": part " + rig.parts[i].name + " has no position and no link to a placed part";
            return false;
        }
    }
    if (pose.centre && n > 0) {
        RigVec mean;
        for (const PlacedPart& p : placed) {
            mean.x += p.position.x / static_cast<float>(n);
            mean.y += p.position.y / static_cast<float>(n);
        }
        for (PlacedPart& p : placed) {
            p = placePart({p.position.x - mean.x, p.position.y - mean.y}, p.angle, p.mirror);
        }
    }
    return true;
}

std::vector<float> poseTable(const std::vector<PlacedPart>& placed) {
    std::vector<float> table;
    table.reserve(placed.size() * 16);
    for (const PlacedPart& part : placed) {
        for (int k = 0; k < 4; ++k) {
            for (int j = 0; j < 4; ++j) table.push_back(distance(unitCorner(k), part.corners[j]));
        }
    }
    return table;
}

std::vector<std::string> openLinks(const Rig& rig, const std::vector<PlacedPart>& placed, float tolerance) {
    std::vector<std::string> messages;
    for (const LinkSpec& link : rig.links) {
        const RigVec a = placePoint(placed[link.partA], rig.parts[link.partA].joints[link.jointA].at);
        const RigVec b = placePoint(placed[link.partB], rig.parts[link.partB].joints[link.jointB].at);
        const float gap = distance(a, b);
        if (gap > link.length + tolerance) {
            messages.push_back(
                "link " + rig.parts[link.partA].name + "." + rig.parts[link.partA].joints[link.jointA].name +
                " - " + rig.parts[link.partB].name + "." + rig.parts[link.partB].joints[link.jointB].name +
                " is " + std::to_string(gap) + " apart, length " + std::to_string(link.length));
        }
    }
    return messages;
}
