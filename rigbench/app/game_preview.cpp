#include "game_preview.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

PointMass at(float x, float y) {
    return PointMass{x, y, x, y};
}

}  // namespace

Point2 inFrameOf(const FrameSquare& frame, float x, float y) {
    const auto& c = frame.corners;
    const float ox = (c[0].x + c[1].x + c[2].x + c[3].x) / 4.0f;
    const float oy = (c[0].y + c[1].y + c[2].y + c[3].y) / 4.0f;
    const float exx = ((c[3].x - c[0].x) + (c[2].x - c[1].x)) / 2.0f;
    const float exy = ((c[3].y - c[0].y) + (c[2].y - c[1].y)) / 2.0f;
    const float eyx = ((c[0].x - c[1].x) + (c[3].x - c[2].x)) / 2.0f;
    const float eyy = ((c[0].y - c[1].y) + (c[3].y - c[2].y)) / 2.0f;
    const float dx = x - ox;
    const float dy = y - oy;
    const float ex2 = exx * exx + exy * exy;
    const float ey2 = eyx * eyx + eyy * eyy;
    return {ex2 > 0.0f ? (dx * exx + dy * exy) / ex2 : 0.0f, ey2 > 0.0f ? (dx * eyx + dy * eyy) / ey2 : 0.0f};
}

void GamePreview::start(const CrigbenchDoc& document,
                        const std::function<unsigned(const EditPart&)>& texture) {
    puppet_ = Puppet();
    stood_.clear();
    floorY_ = 0.0f;
    bool first = true;
    for (const EditPart& source : document.model.parts) {
        PuppetPart part;
        for (std::size_t k = 0; k < 4; ++k) {
            part.frame.corners[k] = at(source.corners[k].x, source.corners[k].y);
            part.corners[k] = {source.picture[k].x, source.picture[k].y, source.picture[k].u,
                               source.picture[k].v};
        }
        part.pictureRest = source.pictureRest;
        for (const Point2& joint : source.joints) part.joints.push_back(at(joint.x, joint.y));
        part.jointRest = source.jointRest;
        for (const BoundCircle& bound : source.bounds) {
            part.boundCentres.push_back(at(bound.x, bound.y));
            part.boundRadii.push_back(bound.r);
            part.boundKinds.push_back(0);
        }
        part.boundRest = source.boundRest;
        part.texture = texture ? texture(source) : 0;
        puppet_.parts.push_back(std::move(part));
        stood_.push_back(source.corners);
        for (const Point2& c : source.corners) {
            floorY_ = first ? c.y : std::min(floorY_, c.y);
            first = false;
        }
        for (const Point2& j : source.joints) floorY_ = std::min(floorY_, j.y);
    }
    for (const JointLink& link : document.model.links)
        puppet_.links.push_back(Link{link.partA, link.partB, link.jointA, link.jointB, link.length});
    puppet_.pose = document.poseTable();
    puppet_.set(Puppet::posed, true);
}

void GamePreview::step() {
    puppet_.push({0.0f, kGravity});
    puppet_.step();
    // The floor meets each part at its lowest corner or joint, and answers as the game's ground does:
    // a posed figure is lifted as a whole a little and the touching part fully, and stops there; a
    // limp one only has the touching part pushed halfway back, and slides on.
    for (PuppetPart& part : puppet_.parts) {
        float lowest = floorY_;
        for (const PointMass& c : part.frame.corners) lowest = std::min(lowest, c.y);
        for (const PointMass& j : part.joints) lowest = std::min(lowest, j.y);
        const float depth = floorY_ - lowest;
        if (depth <= 0.0f) continue;
        if (puppet_.has(Puppet::posed)) {
            puppet_.push({0.0f, 0.1f * depth});
            part.push({0.0f, depth});
            part.damp({0.1f, 0.1f});
        } else {
            part.push({0.0f, 0.5f * depth});
            part.damp({0.95f, 0.95f});
        }
    }
}

std::vector<float> GamePreview::settleDistances() const {
    std::vector<float> distances;
    for (std::size_t m = 0; m < puppet_.parts.size() && m < stood_.size(); ++m) {
        float worst = 0.0f;
        for (std::size_t j = 0; j < 4; ++j) {
            const PointMass& c = puppet_.parts[m].frame.corners[j];
            worst = std::max(worst, distance(inFrameOf(puppet_.frame, c.x, c.y), stood_[m][j]));
        }
        distances.push_back(worst);
    }
    return distances;
}

void GamePreview::draw() {
    puppet_.draw(0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(0.35f, 0.25f, 0.15f, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-5.0f, floorY_, 0.0f);
    glVertex3f(-5.0f, floorY_ - 0.3f, 0.0f);
    glVertex3f(5.0f, floorY_, 0.0f);
    glVertex3f(5.0f, floorY_ - 0.3f, 0.0f);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
