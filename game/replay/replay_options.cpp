#include "replay_options.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

const char* const kReplayUsage =
    "usage: puppet-replay [--dir PATH] [--script FILE] [--frames N] [--shot N:FILE.png]...\n"
    "                     [--state N:FILE.json]... [--shots-only] [--paced] [--record FILE]\n"
    "                     [--random SEED [--crazy]] [--memory-log FILE [--memory-every N]]\n"
    "Runs the game with the pad played from FILE (lines \"FROM[-TO] KEYS\", KEYS from L R U D Z X C V\n"
    "or -, '#' comments), stops after N frames (0 to N-1, or to N when a shot or state asks for it),\n"
    "writes the 640x480 picture of frame N to FILE.png and the game's state after frame N to FILE.json.\n"
    "Script lines may also hold the mouse (ML, MR, @X,Y) and the joystick (J@X,Y,Z). --record FILE\n"
    "plays from the real keyboard, joystick and mouse instead and writes their input to FILE as a\n"
    "script that replays the run.\n"
    "--random SEED plays instead like a restless player (needs --frames, takes no --script): keys,\n"
    "mouse buttons and pointer held and moved for spans of random length, the same for the same SEED;\n"
    "at the title it picks the normal stages, or with --crazy the crazy set. It never quits.\n"
    "--memory-log FILE writes every 1000 frames (every N with --memory-every N) a line: frames run,\n"
    "resident memory in KiB, set and stage (- on the logo and title), frames spent playing a stage so\n"
    "far, files read and kept, the heap in use in KiB and its lowest point since the line before.\n"
    "  --dir PATH    the folder holding data/ and config/ (build/run after a build)\n"
    "  --paced       keep the game's 50 frames a second instead of running flat out\n"
    "  --shots-only  make pictures only of the frames a --shot asks for and show none: a faster run\n"
    "                whose game is the same, frame for frame\n"
    "  -h, --help    print this text\n"
    "Exits 2 for a bad command line or script, 1 when a shot or state could not be written.\n";

namespace {

bool parseCount(std::string_view text, std::uint64_t& value) {
    if (text.empty()) return false;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return failure == std::errc() && end == text.data() + text.size();
}

// "N:FILE" into frame N and FILE.
bool parseFrameFile(std::string_view value, std::map<std::uint64_t, std::string>& into) {
    const auto colon = value.find(':');
    std::uint64_t frame = 0;
    if (colon == std::string_view::npos || !parseCount(value.substr(0, colon), frame) || colon + 1 == value.size()) {
        return false;
    }
    into[frame] = std::string(value.substr(colon + 1));
    return true;
}

}  // namespace

bool parseReplayOptions(int argc, const char* const* argv, ReplayOptions& options, std::string& error) {
    options = ReplayOptions{};
    bool framesGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return true;
        }
        if (option == "--paced" || option == "--crazy" || option == "--shots-only") {
            (option == "--paced" ? options.paced : option == "--crazy" ? options.crazy : options.shotsOnly) = true;
            continue;
        }
        if (option != "--dir" && option != "--script" && option != "--frames" && option != "--shot" &&
            option != "--state" && option != "--record" && option != "--random" && option != "--memory-log" &&
            option != "--memory-every") {
            error = "unknown option " + std::string(option);
            return false;
        }
        if (i + 1 >= argc) {
            error = std::string(option) + " needs a value";
            return false;
        }
        const std::string_view value = argv[++i];
        if (option == "--dir") {
            options.dir = value;
        } else if (option == "--script") {
            options.script = value;
        } else if (option == "--record") {
            if (value.empty()) {
                error = "--record wants a FILE";
                return false;
            }
            options.record = value;
        } else if (option == "--random") {
            if (!parseCount(value, options.randomSeed)) {
                error = "--random wants a SEED, a number from 0, not " + std::string(value);
                return false;
            }
            options.random = true;
        } else if (option == "--memory-log") {
            if (value.empty()) {
                error = "--memory-log wants a FILE";
                return false;
            }
            options.memoryLog = value;
        } else if (option == "--memory-every") {
            if (!parseCount(value, options.memoryInterval) || options.memoryInterval == 0) {
                error = "--memory-every wants a positive number, not " + std::string(value);
                return false;
            }
        } else if (option == "--frames") {
            if (!parseCount(value, options.frames) || options.frames == 0) {
                error = "--frames wants a positive number, not " + std::string(value);
                return false;
            }
            framesGiven = true;
        } else if (option == "--shot") {
            if (!parseFrameFile(value, options.shots)) {
                error = "--shot wants N:FILE.png, not " + std::string(value);
                return false;
            }
        } else if (!parseFrameFile(value, options.states)) {
            error = "--state wants N:FILE.json, not " + std::string(value);
            return false;
        }
    }
    std::uint64_t lastAsked = 0;
    bool anyAsked = false;
    for (const auto* frames : {&options.shots, &options.states}) {
        if (frames->empty()) continue;
        lastAsked = std::max(lastAsked, frames->rbegin()->first);
        anyAsked = true;
    }
    if (!options.record.empty() && !options.script.empty()) {
        error = "--record plays from the real devices and takes no --script";
        return false;
    }
    if (options.random && (!options.record.empty() || !options.script.empty())) {
        error = "--random plays by itself and takes no --script or --record";
        return false;
    }
    if (options.random && !framesGiven) {
        error = "--random plays until it is stopped: give --frames";
        return false;
    }
    if (options.crazy && !options.random) {
        error = "--crazy is the random player's choice at the title: give --random SEED";
        return false;
    }
    if (!framesGiven) {
        options.frames = !options.record.empty() ? std::numeric_limits<std::uint64_t>::max()
                         : anyAsked            ? lastAsked + 1
                                               : 1;
    }
    if (options.shotsOnly && !options.record.empty()) {
        error = "--shots-only would hide the game from its player: not with --record";
        return false;
    }
    // Frames count from 0, but "--frames 100 --shot 100:end.png" plainly means the last picture.
    if (anyAsked && lastAsked == options.frames) options.frames = lastAsked + 1;
    if (anyAsked && lastAsked > options.frames) {
        error = "a shot or state of frame " + std::to_string(lastAsked) + " needs --frames at or above it";
        return false;
    }
    return true;
}
