#include "puppet.h"

#include "satisfy_distance.h"

#include <algorithm>

bool Puppet::linkValid(const Link& link) const {
    const auto partCountSigned = static_cast<std::int64_t>(parts.size());
    if (link.partA < 0 || link.partA >= partCountSigned) return false;
    if (link.partB < 0 || link.partB >= partCountSigned) return false;
    const auto& jointsA = parts[static_cast<std::size_t>(link.partA)].joints;
    const auto& jointsB = parts[static_cast<std::size_t>(link.partB)].joints;
    return link.jointA >= 0 && static_cast<std::size_t>(link.jointA) < jointsA.size() && link.jointB >= 0 &&
           static_cast<std::size_t>(link.jointB) < jointsB.size();
}

void Puppet::solve() {
    if (has(linked)) {
        for (const Link& link : links) {
            // A model file may name parts or joints that are not there: such a link holds nothing.
            if (!linkValid(link)) continue;
            PointMass& a = parts[static_cast<std::size_t>(link.partA)].joints[static_cast<std::size_t>(link.jointA)];
            PointMass& b = parts[static_cast<std::size_t>(link.partB)].joints[static_cast<std::size_t>(link.jointB)];
            satisfyDistance(a, b, link.length, 0.5f, 0.5f, pointDistance(a, b));
        }
    }

    if (!has(posed)) {
        // Limp: the frame follows the root part. Its side is not copied, so the next frame step widens
        // the copy again until the next copy.
        if (rootPart >= 0 && static_cast<std::size_t>(rootPart) < parts.size()) {
            frame.corners = parts[static_cast<std::size_t>(rootPart)].frame.corners;
        }
        return;
    }

    frame.rigidify();
    if (parts.empty()) return;
    const float wFrame = 0.1f / static_cast<float>(parts.size());
    const float wPart = 0.15f;
    // Only the parts the pose has all sixteen distances for are held; the rest hang by their links.
    const std::size_t covered = std::min(parts.size(), pose.size() / 16);
    for (std::size_t m = 0; m < covered; ++m) {
        FrameSquare& partFrame = parts[m].frame;
        for (std::size_t k = 0; k < 4; ++k) {
            PointMass& anchor = frame.corners[k];
            for (std::size_t j = 0; j < 4; ++j) {
                PointMass& corner = partFrame.corners[j];
                satisfyDistance(anchor, corner, poseScale * pose[16 * m + 4 * k + j], wFrame, wPart,
                                pointDistance(anchor, corner));
            }
        }
    }
}

void Puppet::rewindTurnedSquares() {
    // Renumbered only when going round the other way gains this share of a full square's area, so a
    // square pressed flat for a moment does not flicker between numberings.
    constexpr float kMargin = 0.5f;
    const float winding = has(facingRight) ? 1.0f : -1.0f;
    frame.rewind(winding, kMargin);
    for (PuppetPart& part : parts) part.frame.rewind(winding, kMargin);
}

void Puppet::step() {
    if (has(posed)) rewindTurnedSquares();
    solve();
    frame.step();
    for (PuppetPart& part : parts) part.step();
    // Upright nudge: with the frame held square, this turns a tilted frame back towards corner 0 above
    // corner 1 and corner 3 above corner 2.
    frame.corners[0].y += 0.1f;
    frame.corners[1].y -= 0.1f;
    frame.corners[2].y -= 0.1f;
    frame.corners[3].y += 0.1f;
    solve();
}

void Puppet::push(Vec2 v) {
    frame.push(v);
    for (PuppetPart& part : parts) part.push(v);
}

void Puppet::move(Vec2 v) {
    frame.move(v);
    for (PuppetPart& part : parts) part.move(v);
}

void Puppet::damp(Vec2 k) {
    frame.damp(k);
    for (PuppetPart& part : parts) part.damp(k);
}

void Puppet::scale(float a) {
    poseScale = a;
    frame.scale(a);
    for (PuppetPart& part : parts) part.scale(a);
}

void Puppet::mirror() {
    flags ^= facingRight;
    frame.mirror();
    for (PuppetPart& part : parts) part.mirror();
}

void Puppet::faceRight() {
    if (!has(facingRight)) mirror();
}

void Puppet::faceLeft() {
    if (has(facingRight)) mirror();
}
