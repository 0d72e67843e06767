#include "svg_preview.h"

#include "placement.h"
#include "rig_writer.h"
#include "svg_embed.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr int kCell = 320;

}  // namespace

bool writePoseSheet(const Rig& rig, const std::string& outDir, const std::string& sheetPath,
                    std::string& error) {
    if (rig.models.empty() || rig.poses.empty()) {
        error = "nothing to preview";
        return false;
    }
    const ModelSpec& model = rig.models.front();
    std::ostringstream defs;
    std::vector<int> widths(rig.parts.size()), heights(rig.parts.size());
    for (size_t p = 0; p < rig.parts.size(); ++p) {
        const std::string partPath = gameDirectoryOf(model.file) + model.folder + rig.parts[p].file;
        const std::string picture = joinHostPath(outDir, gameDirectoryOf(partPath) + rig.parts[p].picture);
        std::string bytes;
        if (!readFileBytes(picture, bytes) || !pngSize(bytes, widths[p], heights[p])) {
            error = "cannot read picture " + picture;
            return false;
        }
        defs << "<image id='pic" << p << "' width='" << widths[p] << "' height='" << heights[p]
             << "' preserveAspectRatio='none' xlink:href='data:image/png;base64," << base64(bytes) << "'/>\n";
    }
    // One scale for every cell, so that poses compare at their true sizes.
    std::vector<std::vector<PlacedPart>> arranged;
    float extent = 0.5f;
    for (const PoseSpec& pose : rig.poses) {
        std::vector<PlacedPart> placed;
        if (!arrangePose(rig, pose, placed, error)) return false;
        for (size_t p = 0; p < placed.size(); ++p) {
            const PartSpec& part = rig.parts[p];
            for (RigVec c : {part.quadMin, part.quadMax, RigVec{part.quadMin.x, part.quadMax.y},
                             RigVec{part.quadMax.x, part.quadMin.y}}) {
                const RigVec w = placePoint(placed[p], c);
                extent = std::max({extent, std::fabs(w.x), std::fabs(w.y)});
            }
        }
        arranged.push_back(placed);
    }
    const float scale = kCell * 0.46f / extent;
    const int columns = std::min<int>(4, static_cast<int>(rig.poses.size()));
    const int rows = (static_cast<int>(rig.poses.size()) + columns - 1) / columns;
    std::ofstream out(sheetPath);
    out << "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='"
        << columns * kCell << "' height='" << rows * kCell << "'>\n<defs>\n"
        << defs.str() << "</defs>\n<rect width='100%' height='100%' fill='#cfe8ff'/>\n";
    for (size_t i = 0; i < rig.poses.size(); ++i) {
        const float cx = (static_cast<float>(i % columns) + 0.5f) * kCell;
        const float cy = (static_cast<float>(i / columns) + 0.5f) * kCell;
        out << "<g transform='translate(" << cx << ' ' << cy << ") scale(" << scale << ' ' << -scale
            << ")'>\n";
        out << "<rect x='-0.5' y='-0.5' width='1' height='1' fill='none' stroke='#7a9' stroke-width='"
            << 1.5f / scale << "'/>\n";
        for (size_t p = 0; p < rig.parts.size(); ++p) {
            const PartSpec& part = rig.parts[p];
            const PlacedPart& placed = arranged[i][p];
            const float w = part.quadMax.x - part.quadMin.x, h = part.quadMax.y - part.quadMin.y;
            const float du = part.u1 - part.u0, dv = part.v1 - part.v0;
            // Picture space (y down, texels) to part space (y up), then the part's placement.
            out << "<g transform='translate(" << placed.position.x << ' ' << placed.position.y << ") rotate("
                << placed.angle * 57.29578f << ") scale(" << (placed.mirror ? -1 : 1) << " 1)'>"
                << "<svg x='" << part.quadMin.x << "' y='" << part.quadMin.y << "' width='" << w
                << "' height='" << h << "' viewBox='" << part.u0 * widths[p] << ' ' << part.v0 * heights[p]
                << ' ' << du * widths[p] << ' ' << dv * heights[p]
                << "' preserveAspectRatio='none' overflow='hidden'>"
                << "<g transform='translate(0 " << (part.v0 + part.v1) * heights[p] << ") scale(1 -1)'>"
                << "<use xlink:href='#pic" << p << "'/></g></svg></g>\n";
        }
        for (size_t p = 0; p < rig.parts.size(); ++p) {
            for (const BoundSpec& b : rig.parts[p].bounds) {
                const RigVec c = placePoint(arranged[i][p], b.centre);
                const char* colour = b.kind == 0 ? "#2060ff" : b.kind == 1 ? "#ff2020" : "#808080";
                out << "<circle cx='" << c.x << "' cy='" << c.y << "' r='" << b.radius
                    << "' fill='none' stroke='" << colour << "' stroke-width='" << 1.2f / scale << "'/>\n";
            }
        }
        out << "</g>\n<text x='" << cx - kCell * 0.48f << "' y='" << cy + kCell * 0.47f
            << "' font-family='sans-serif' font-size='14'>" << rig.poses[i].file << "</text>\n";
    }
    out << "</svg>\n";
    if (!out) {
        error = "cannot write " + sheetPath;
        return false;
    }
    return true;
}
