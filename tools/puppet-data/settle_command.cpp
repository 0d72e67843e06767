// puppet-data settle MODEL [POSE] [--steps N] [--scale S] [--mirror] [--limp]: loads a puppet as the
// game does, steps it and prints where everything came to rest, so that content authors can check a
// pose without starting the game. The output is one line of JSON; keep its form stable.

#include "command.h"

#include "datatree/data_number.h"
#include "game/graphics/texture_cache.h"
#include "puppet/model/puppet.h"
#include "puppet/model/satisfy_distance.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const char* kUsage = "usage: puppet-data settle MODEL [POSE] [--steps N] [--scale S] [--mirror] [--limp]\n";

struct SettleOptions {
    std::string model;
    std::string pose;
    std::int32_t steps = 500;
    float scale = 1.0f;
    bool scaled = false;
    bool mirror = false;
    bool limp = false;
};

bool parseOptions(const std::vector<std::string>& args, SettleOptions& options, std::ostream& err) {
    int positional = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--steps") {
            std::int32_t steps = -1;
            if (!hasValue || !parseIntPrefix(args[++i], steps) || steps < 0 ||
                formatInt(steps) != args[i]) {
                err << "puppet-data settle: --steps needs a whole number of at least 0\n";
                return false;
            }
            options.steps = steps;
        } else if (arg == "--scale") {
            float scale = 0.0f;
            if (!hasValue || !parseFloatPrefix(args[++i], scale) || !std::isfinite(scale)) {
                err << "puppet-data settle: --scale needs a number\n";
                return false;
            }
            options.scale = scale;
            options.scaled = true;
        } else if (arg == "--mirror") {
            options.mirror = true;
        } else if (arg == "--limp") {
            options.limp = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            err << "puppet-data settle: unknown option '" << arg << "'\n";
            return false;
        } else if (positional == 0) {
            options.model = arg;
            ++positional;
        } else if (positional == 1) {
            options.pose = arg;
            ++positional;
        } else {
            return false;
        }
    }
    return positional > 0;
}

// A path from the command line spelled the way the game spells paths, so that the model's part files
// are found beside it. Backslashes become slashes again when a file is opened.
std::string gamePathOf(const std::string& given) {
    std::string path = given;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
}

void writeNumber(std::ostream& out, float value) {
    if (!std::isfinite(value)) {
        out << "null";  // JSON has no infinities; a blown-up puppet still gives valid output
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    out << text;
}

void writePoint(std::ostream& out, const PointMass& p) {
    out << '[';
    writeNumber(out, p.x);
    out << ',';
    writeNumber(out, p.y);
    out << ']';
}

template <class Points>
void writePoints(std::ostream& out, const Points& points) {
    out << '[';
    bool first = true;
    for (const PointMass& p : points) {
        if (!first) out << ',';
        first = false;
        writePoint(out, p);
    }
    out << ']';
}

float largestLinkError(const Puppet& puppet) {
    float largest = 0.0f;
    for (const Link& link : puppet.links) {
        if (!puppet.linkValid(link)) continue;
        const PointMass& a = puppet.parts[static_cast<std::size_t>(link.partA)].joints[static_cast<std::size_t>(link.jointA)];
        const PointMass& b = puppet.parts[static_cast<std::size_t>(link.partB)].joints[static_cast<std::size_t>(link.jointB)];
        const float error = std::fabs(pointDistance(a, b) - link.length);
        if (!(error <= largest)) largest = error;  // a NaN error wins, and prints as null
    }
    return largest;
}

}  // namespace

void writeSettledPuppet(std::ostream& out, const Puppet& puppet) {
    out << "{\"frame\":";
    writePoints(out, puppet.frame.corners);
    out << ",\"parts\":[";
    for (std::size_t m = 0; m < puppet.parts.size(); ++m) {
        const PuppetPart& part = puppet.parts[m];
        if (m > 0) out << ',';
        out << "{\"frame\":";
        writePoints(out, part.frame.corners);
        out << ",\"joints\":";
        writePoints(out, part.joints);
        out << ",\"bounds\":";
        writePoints(out, part.boundCentres);
        out << '}';
    }
    out << "],\"maxLinkError\":";
    writeNumber(out, largestLinkError(puppet));
    out << "}\n";
}

int runSettleCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SettleOptions options;
    if (!parseOptions(args, options, err)) {
        err << kUsage;
        return 2;
    }

    // No window and no GL here: the texture cache only counts names.
    std::optional<TextureCache> ownCache;
    if (TextureCache::instance() == nullptr) ownCache.emplace();
    TextureCache& cache = *TextureCache::instance();
    const bool wasHeadless = cache.headless();
    cache.setHeadless(true);

    Puppet puppet;
    puppet.loadModel(gamePathOf(options.model));
    if (options.scaled) puppet.scale(options.scale);
    if (options.mirror) puppet.mirror();
    if (!options.pose.empty()) puppet.setPose(gamePathOf(options.pose));
    if (!options.limp) puppet.set(Puppet::posed, true);
    for (std::int32_t n = 0; n < options.steps; ++n) puppet.step();

    writeSettledPuppet(out, puppet);
    cache.setHeadless(wasHeadless);
    return 0;
}
