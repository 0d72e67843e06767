#include "game/world/ground.h"

#include "datatree/datatree.h"
#include "datatree/host_path.h"
#include "game/graphics/texture_cache.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

Texture loadTexture(const std::string& path) {
    TextureCache* cache = TextureCache::instance();
    return cache ? cache->load(path.c_str()) : 0;
}

}  // namespace

std::uint32_t groundColumn(float x) {
    // Out-of-range float-to-int conversion is undefined, so far-off or NaN positions are sent beyond
    // the lines explicitly.
    if (!(x > -2147483648.0f && x < 2147483648.0f)) return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(x));
}

void Ground::load(const std::string& directory, const std::string& fileName) {
    heights.clear();
    lines.clear();
    texture = 0;

    std::string dir = directory;
    if (dir.empty() || dir.back() != '\\') dir += '\\';

    DataRef root;
    readDataFile(hostPath(dir + fileName), root);

    std::int32_t size = 0;
    readInt(root.member("size"), size);
    if (size < 2) {
        // No usable size: a ground of one sample or none would leave no room between the walls.
        heights.assign(kFallbackSamples, 0.0f);
    } else {
        heights.assign(std::min(size, kMaxSamples), 0.0f);
        const DataRef& samples = root.member("heights");
        for (std::size_t i = 0; i < heights.size(); ++i) {
            readFloat(samples->item(static_cast<std::uint32_t>(i)), heights[i]);
        }
    }
    texture = loadTexture(dir + root.member("texture")->text());
    refresh();
}

void Ground::refresh() {
    lines.resize(heights.empty() ? 0 : heights.size() - 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const float a = heights[i] - heights[i + 1];
        const float length = std::sqrt(a * a + 1.0f);
        lines[i] = {a / length, 1.0f / length, (heights[i] + static_cast<float>(i) * a) / length};
    }
}

const ContactLine& Ground::line(std::uint32_t column) const {
    return column < lines.size() ? lines[column] : kFlatLine;
}
