// puppet-preview: shows puppets as the game's physics settles them.
//
//   puppet-preview --run DIR --out SHEET.png [--steps N] [--limp N] [--bounds] MODEL POSE...
//
// From the run folder DIR (where data/ is), loads MODEL once per POSE, sets the pose, lets the
// physics settle for N steps (default 200) and draws every result side by side on one contact sheet.
// --limp N adds a cell with the last pose let go (not posed) for N more steps under gravity, onto a
// floor under its lowest circle, to see it fall apart.
// The sheet is rendered from SVG with rsvg-convert; the SVG is kept beside the PNG.

#include "part_pictures.h"
#include "sheet.h"

#include "game/graphics/texture_cache.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Puppet settle(const std::string& model, const std::string& pose, int steps) {
    Puppet puppet;
    puppet.loadModel(model);
    puppet.setPose(pose);
    puppet.set(Puppet::posed, true);
    for (int i = 0; i < steps; ++i) puppet.step();
    return puppet;
}

// Lets the puppet fall limp onto a floor just under its lowest circle, with the world's gravity and
// the ground response the game gives a puppet that is not posed.
void letGo(Puppet& puppet, int steps) {
    float floor = 1e9f;
    for (const PuppetPart& part : puppet.parts) {
        for (std::size_t b = 0; b < part.boundCentres.size(); ++b) {
            floor = std::min(floor, part.boundCentres[b].y - part.boundRadii[b]);
        }
    }
    puppet.set(Puppet::posed, false);
    for (int i = 0; i < steps; ++i) {
        puppet.step();
        puppet.push({0.0f, -0.01f});
        for (PuppetPart& part : puppet.parts) {
            for (std::size_t b = 0; b < part.boundCentres.size(); ++b) {
                const float depth = floor - (part.boundCentres[b].y - part.boundRadii[b]);
                if (depth <= 0) continue;
                part.push({0.0f, depth * 0.5f});
                part.boundCentres[b].y += depth;
                part.damp({0.95f, 0.95f});
            }
        }
    }
}

const char* const kUsage =
    "usage: puppet-preview --run DIR --out SHEET.png [--steps N] [--limp N] [--bounds] MODEL POSE...\n"
    "Draws each POSE of MODEL (game paths, read from DIR) as the game's physics settles it in N steps\n"
    "(default 200) into one contact sheet; --limp N adds a cell with the last pose let go for N steps\n"
    "under gravity, to see how the puppet falls apart; --bounds draws the hit circles.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string runDir = ".", out;
    int steps = 200, limp = 0;
    bool bounds = false;
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::printf("%s", kUsage);
            return 0;
        }
        if (a == "--run" && i + 1 < argc)
            runDir = argv[++i];
        else if (a == "--out" && i + 1 < argc)
            out = argv[++i];
        else if (a == "--steps" && i + 1 < argc)
            steps = std::atoi(argv[++i]);
        else if (a == "--limp" && i + 1 < argc)
            limp = std::atoi(argv[++i]);
        else if (a == "--bounds")
            bounds = true;
        else
            names.push_back(a);
    }
    if (out.empty() || names.size() < 2) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    out = std::filesystem::absolute(out).string();
    std::error_code ec;
    std::filesystem::current_path(runDir, ec);
    if (ec) {
        std::fprintf(stderr, "puppet-preview: cannot enter %s\n", runDir.c_str());
        return 1;
    }
    // No GL here: textures load as names only; the pictures are read from the part files.
    TextureCache textures;
    textures.setHeadless(true);
    const std::string model = names.front();
    const std::vector<std::string> pictures = partPictures(model);
    std::vector<SheetCell> cells;
    for (std::size_t i = 1; i < names.size(); ++i) {
        cells.push_back({settle(model, names[i], steps), pictures, names[i]});
        if (cells.back().puppet.parts.size() != pictures.size() || pictures.empty()) {
            std::fprintf(stderr, "puppet-preview: cannot load %s\n", model.c_str());
            return 1;
        }
    }
    if (limp > 0) {
        SheetCell cell{cells.back().puppet, pictures, "let go"};
        letGo(cell.puppet, limp);
        cells.push_back(cell);
    }
    const std::string svg = out + ".svg";
    std::string error;
    if (!writeSheet(cells, bounds, svg, error)) {
        std::fprintf(stderr, "puppet-preview: %s\n", error.c_str());
        return 1;
    }
    const std::string command = "rsvg-convert " + shellQuoted(svg) + " -o " + shellQuoted(out);
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "puppet-preview: rsvg-convert failed on %s\n", svg.c_str());
        return 1;
    }
    return 0;
}
