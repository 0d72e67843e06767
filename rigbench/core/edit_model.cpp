#include "edit_model.h"

#include "datatree/data_file.h"
#include "datatree/data_number.h"
#include "datatree/host_path.h"

#include <algorithm>
#include <cmath>

float distance(const Point2& a, const Point2& b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

void relaxDistance(Point2& a, Point2& b, float rest, float weightA, float weightB) {
    if (a.x == b.x && a.y == b.y) a.x += 0.001f;
    const float d = distance(a, b);
    const float nx = (b.x - a.x) / d;
    const float ny = (b.y - a.y) / d;
    const float error = rest - d;
    a.x -= nx * error * weightA;
    a.y -= ny * error * weightA;
    b.x += nx * error * weightB;
    b.y += ny * error * weightB;
}

namespace {

// The step with weights 0 and 1, for points that hang on the square without moving it. Exactly the
// arithmetic of relaxDistance: subtracting a product with 0 and multiplying by 1 change nothing.
inline void followCorner(Point2& corner, Point2& b, float rest) {
    if (corner.x == b.x && corner.y == b.y) corner.x += 0.001f;
    const float dx = b.x - corner.x;
    const float dy = b.y - corner.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    const float error = rest - d;
    b.x += dx / d * error;
    b.y += dy / d * error;
}

}  // namespace

void EditPart::load(const std::string& partPath) {
    path = partPath;
    texture.clear();
    joints.clear();
    bounds.clear();
    jointRest.clear();
    boundRest.clear();
    picture = {};

    DataRef root;
    readDataFile(hostPath(partPath), root);
    texture = root->find("texture")->text();

    DataRef& frame = root->find("pic_frame");
    for (std::uint32_t i = 0; i < 4; ++i) {
        DataRef& vertex = frame->item(i);
        readFloat(vertex->find("x"), picture[i].x);
        readFloat(vertex->find("y"), picture[i].y);
        readFloat(vertex->find("u"), picture[i].u);
        readFloat(vertex->find("v"), picture[i].v);
    }

    DataRef& jointList = root->find("joints");
    joints.resize(jointList->size());
    for (std::uint32_t k = 0; k < jointList->size(); ++k) {
        readFloat(jointList->item(k)->find("x"), joints[k].x);
        readFloat(jointList->item(k)->find("y"), joints[k].y);
    }

    DataRef& boundList = root->find("bound");
    bounds.resize(boundList->size());
    for (std::uint32_t k = 0; k < boundList->size(); ++k) {
        readFloat(boundList->item(k)->find("x"), bounds[k].x);
        readFloat(boundList->item(k)->find("y"), bounds[k].y);
        readFloat(boundList->item(k)->find("r"), bounds[k].r);
    }

    computeRest();
}

void EditPart::computeRest() {
    corners = kUnitSquare;
    for (int i = 0; i < 4; ++i) {
        const Point2 vertex{picture[i].x, picture[i].y};
        for (int j = 0; j < 4; ++j) pictureRest[4 * i + j] = distance(corners[j], vertex);
    }
    jointRest.clear();
    jointRest.reserve(joints.size() * 4);
    for (const Point2& joint : joints) {
        for (const Point2& corner : corners) jointRest.push_back(distance(corner, joint));
    }
    boundRest.clear();
    boundRest.reserve(bounds.size() * 4);
    for (const BoundCircle& bound : bounds) {
        for (const Point2& corner : corners) boundRest.push_back(distance(corner, Point2{bound.x, bound.y}));
    }
}

void EditPart::relaxShape() {
    Point2& c0 = corners[0];
    Point2& c1 = corners[1];
    Point2& c2 = corners[2];
    Point2& c3 = corners[3];
    relaxDistance(c0, c1, kSquareSide, 0.5f, 0.5f);
    relaxDistance(c2, c3, kSquareSide, 0.5f, 0.5f);
    relaxDistance(c3, c0, kSquareSide, 0.5f, 0.5f);
    relaxDistance(c1, c2, kSquareSide, 0.5f, 0.5f);
    relaxDistance(c0, c2, kSquareDiagonal, 0.5f, 0.5f);
    relaxDistance(c3, c1, kSquareDiagonal, 0.5f, 0.5f);

    for (int i = 0; i < 4; ++i) {
        Point2 vertex{picture[i].x, picture[i].y};
        for (int j = 0; j < 4; ++j) followCorner(corners[j], vertex, pictureRest[4 * i + j]);
        picture[i].x = vertex.x;
        picture[i].y = vertex.y;
    }

    // A part loaded from a file always has four rests per joint and bound; a part put together by
    // hand may not, and then only the measured ones take part.
    const std::size_t jointCount = std::min(joints.size(), jointRest.size() / 4);
    for (std::size_t k = 0; k < jointCount; ++k) {
        for (int j = 0; j < 4; ++j) relaxDistance(corners[j], joints[k], jointRest[4 * k + j], 0.5f, 0.5f);
    }
    const std::size_t boundCount = std::min(bounds.size(), boundRest.size() / 4);
    for (std::size_t k = 0; k < boundCount; ++k) {
        Point2 centre{bounds[k].x, bounds[k].y};
        for (int j = 0; j < 4; ++j) followCorner(corners[j], centre, boundRest[4 * k + j]);
        bounds[k].x = centre.x;
        bounds[k].y = centre.y;
    }
}

Point2 EditPart::centre() const {
    Point2 sum;
    for (const Point2& corner : corners) {
        sum.x += corner.x;
        sum.y += corner.y;
    }
    return Point2{sum.x / 4.0f, sum.y / 4.0f};
}

bool EditModel::linkValid(const JointLink& link) const {
    const auto partCount = static_cast<std::int64_t>(parts.size());
    if (link.partA < 0 || link.partA >= partCount || link.partB < 0 || link.partB >= partCount) return false;
    const auto jointsA = static_cast<std::int64_t>(parts[static_cast<std::size_t>(link.partA)].joints.size());
    const auto jointsB = static_cast<std::int64_t>(parts[static_cast<std::size_t>(link.partB)].joints.size());
    return link.jointA >= 0 && link.jointA < jointsA && link.jointB >= 0 && link.jointB < jointsB;
}

void EditModel::relax() {
    for (EditPart& part : parts) part.relaxShape();
    for (const JointLink& link : links) {
        if (!linkValid(link)) continue;
        Point2& a = parts[static_cast<std::size_t>(link.partA)].joints[static_cast<std::size_t>(link.jointA)];
        Point2& b = parts[static_cast<std::size_t>(link.partB)].joints[static_cast<std::size_t>(link.jointB)];
        if (&a == &b) continue;  // a joint tied to itself has nothing to pull
        if (distance(a, b) > link.length) relaxDistance(a, b, link.length, 0.5f, 0.5f);
    }
}
