// Reading a part file and turning its positions into rest distances from the unit frame.

#include "directory_of.h"
#include "puppet_part.h"
#include "satisfy_distance.h"

#include "datatree/datatree.h"
#include "datatree/host_path.h"
#include "game/graphics/texture_cache.h"

namespace {

void readPoint(DataRef& entry, PointMass& point) {
    readFloat(entry.member("x"), point.x);
    readFloat(entry.member("y"), point.y);
    point.prevX = point.x;
    point.prevY = point.y;
}

void appendRestDistances(const FrameSquare& frame, const std::vector<PointMass>& points,
                         std::vector<float>& rest) {
    rest.reserve(points.size() * 4);
    for (const PointMass& p : points) {
        for (const PointMass& corner : frame.corners) rest.push_back(pointDistance(p, corner));
    }
}

}  // namespace

void PuppetPart::load(const std::string& path) {
    *this = PuppetPart();
    const std::string directory = directoryOf(path);
    DataRef root;
    readDataFile(hostPath(path), root);

    // Asked even when the file names no texture: the cache decides what a bare directory gives. Without
    // a cache (a tool that never made one) the part simply has no picture.
    if (TextureCache* cache = TextureCache::instance()) {
        texture = cache->load((directory + root.member("texture")->text()).c_str());
    }

    DataRef& picture = root.member("pic_frame");
    for (std::uint32_t c = 0; c < 4; ++c) {
        DataRef& entry = picture->item(c);
        readFloat(entry.member("x"), corners[c].x);
        readFloat(entry.member("y"), corners[c].y);
        readFloat(entry.member("u"), corners[c].u);
        readFloat(entry.member("v"), corners[c].v);
    }

    DataRef& jointList = root.member("joints");
    joints.resize(jointList->size());
    for (std::uint32_t j = 0; j < joints.size(); ++j) readPoint(jointList->item(j), joints[j]);

    DataRef& boundList = root.member("bound");
    const std::uint32_t bounds = boundList->size();
    boundCentres.resize(bounds);
    boundRadii.resize(bounds);
    boundKinds.resize(bounds);
    for (std::uint32_t b = 0; b < bounds; ++b) {
        DataRef& entry = boundList->item(b);
        readPoint(entry, boundCentres[b]);
        readFloat(entry.member("r"), boundRadii[b]);
        readInt(entry.member("kind"), boundKinds[b]);
    }

    for (std::size_t k = 0; k < 4; ++k) {
        for (std::size_t i = 0; i < 4; ++i) pictureRest[4 * k + i] = pointDistance(corners[k], frame.corners[i]);
    }
    appendRestDistances(frame, joints, jointRest);
    appendRestDistances(frame, boundCentres, boundRest);
}
