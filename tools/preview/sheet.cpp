#include "sheet.h"

#include "svg_embed.h"

#include <host_path.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>

namespace {

constexpr int kCell = 320;

struct Picture {
    int id = 0;
    int width = 0, height = 0;
};

}  // namespace

bool writeSheet(std::vector<SheetCell>& cells, bool bounds, const std::string& svgPath, std::string& error) {
    std::map<std::string, Picture> pictures;
    std::string defs;
    std::vector<float> midX, midY;
    float extent = 0.5f;
    for (SheetCell& cell : cells) {
        float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
        for (std::size_t p = 0; p < cell.puppet.parts.size(); ++p) {
            PuppetPart& part = cell.puppet.parts[p];
            // Drawing starts from wherever the last draw left the picture; settle it fully.
            for (int i = 0; i < 16; ++i) part.placePicture();
            for (const PictureCorner& c : part.corners) {
                minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
                minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
            }
            const std::string& name = cell.pictures[p];
            if (pictures.count(name)) continue;
            std::string bytes;
            Picture picture;
            if (!readFileBytes(hostPath(name), bytes) || !pngSize(bytes, picture.width, picture.height)) {
                error = "cannot read picture " + name;
                return false;
            }
            picture.id = static_cast<int>(pictures.size());
            pictures[name] = picture;
            defs += "<image id='p" + std::to_string(picture.id) + "' width='" +
                    std::to_string(picture.width) + "' height='" + std::to_string(picture.height) +
                    "' preserveAspectRatio='none' xlink:href='data:image/png;base64," + base64(bytes) +
                    "'/>\n";
        }
        midX.push_back((minX + maxX) / 2);
        midY.push_back((minY + maxY) / 2);
        extent = std::max({extent, maxX - minX, maxY - minY});
    }
    // Every cell at one scale, so that sizes compare, each centred on what it draws.
    const float scale = kCell * 0.9f / extent;
    const int columns = std::min<int>(4, static_cast<int>(cells.size()));
    const int rows = (static_cast<int>(cells.size()) + columns - 1) / std::max(columns, 1);
    std::ofstream out(svgPath);
    out << "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='"
        << columns * kCell << "' height='" << rows * kCell << "'>\n<defs>\n"
        << defs << "</defs>\n<rect width='100%' height='100%' fill='#8fb8e8'/>\n";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        SheetCell& cell = cells[i];
        const float cx = (static_cast<float>(i % columns) + 0.5f) * kCell;
        const float cy = (static_cast<float>(i / columns) + 0.5f) * kCell;
        out << "<g transform='translate(" << cx << ' ' << cy << ") scale(" << scale << ' ' << -scale
            << ") translate(" << -midX[i] << ' ' << -midY[i] << ")'>\n";
        for (std::size_t p = 0; p < cell.puppet.parts.size(); ++p) {
            const PuppetPart& part = cell.puppet.parts[p];
            const Picture& picture = pictures[cell.pictures[p]];
            const PictureCorner& c0 = part.corners[0];
            const PictureCorner& c1 = part.corners[1];
            const PictureCorner& c3 = part.corners[3];
            // Texture pixels to world: an affine map fixed by corners 0, 1 and 3 and their (u, v).
            const float du = (c3.u - c0.u) * static_cast<float>(picture.width);
            const float dv = (c1.v - c0.v) * static_cast<float>(picture.height);
            if (std::fabs(du) < 1e-6f || std::fabs(dv) < 1e-6f) continue;
            const float a = (c3.x - c0.x) / du, b = (c3.y - c0.y) / du;
            const float c = (c1.x - c0.x) / dv, d = (c1.y - c0.y) / dv;
            const float s0 = c0.u * static_cast<float>(picture.width),
                        t0 = c0.v * static_cast<float>(picture.height);
            const float e = c0.x - a * s0 - c * t0, f = c0.y - b * s0 - d * t0;
            out << "<g transform='matrix(" << a << ' ' << b << ' ' << c << ' ' << d << ' ' << e << ' ' << f
                << ")'><svg x='" << std::min(s0, s0 + du) << "' y='" << std::min(t0, t0 + dv) << "' width='"
                << std::fabs(du) << "' height='" << std::fabs(dv) << "' viewBox='" << std::min(s0, s0 + du)
                << ' ' << std::min(t0, t0 + dv) << ' ' << std::fabs(du) << ' ' << std::fabs(dv)
                << "' overflow='hidden'><use xlink:href='#p" << picture.id << "'/></svg></g>\n";
        }
        if (bounds) {
            for (const PuppetPart& part : cell.puppet.parts) {
                for (std::size_t b = 0; b < part.boundCentres.size(); ++b) {
                    const int kind = part.boundKinds[b];
                    const char* colour = kind == 0 ? "#2060ff" : kind == 1 ? "#ff2020" : "#606060";
                    out << "<circle cx='" << part.boundCentres[b].x << "' cy='" << part.boundCentres[b].y
                        << "' r='" << part.boundRadii[b] << "' fill='none' stroke='" << colour
                        << "' stroke-width='" << 1.2f / scale << "'/>\n";
                }
            }
        }
        out << "</g>\n<text x='" << cx - kCell * 0.48f << "' y='" << cy + kCell * 0.47f
            << "' font-family='sans-serif' font-size='13'>" << cell.label << "</text>\n";
    }
    out << "</svg>\n";
    if (!out) {
        error = "cannot write " + svgPath;
        return false;
    }
    return true;
}
