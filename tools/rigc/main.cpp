// rigc: turns a readable puppet description into the game's part, model and pose files.
//
//   rigc DESCRIPTION OUTDIR [--sheet SHEET.svg]
//
// Pictures must already be in OUTDIR, where the part files will name them. Exits with status 1 and
// a message per fault when a pose leaves a link open, a file is missing or a pose has the wrong size.

#include "rig_reader.h"
#include "rig_writer.h"
#include "svg_preview.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {
const char* const kUsage =
    "usage: rigc DESCRIPTION OUTDIR [--sheet SHEET.svg]\n"
    "Compiles a puppet description (*.rig) into part, model and pose files in OUTDIR, where its\n"
    "pictures must already be; --sheet also draws every pose into an SVG contact sheet.\n";
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::printf("%s", kUsage);
        return 0;
    }
    std::string sheet;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--sheet") {
            sheet = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    Rig rig;
    std::string error;
    if (!readRigFile(args[0], rig, error)) {
        std::fprintf(stderr, "rigc: %s\n", error.c_str());
        return 1;
    }
    std::vector<std::string> errors;
    if (writeRig(rig, args[1], errors)) verifyRig(rig, args[1], errors);
    for (const std::string& e : errors) std::fprintf(stderr, "rigc: %s: %s\n", args[0].c_str(), e.c_str());
    if (!errors.empty()) return 1;
    if (!sheet.empty() && !rig.poses.empty() && !writePoseSheet(rig, args[1], sheet, error)) {
        std::fprintf(stderr, "rigc: %s: %s\n", args[0].c_str(), error.c_str());
        return 1;
    }
    return 0;
}
