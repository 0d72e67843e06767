#include "replay_options.h"

#include <charconv>
#include <string_view>

const char* const kReplayUsage =
    "usage: puppet-replay [--dir PATH] [--script FILE] [--frames N] [--shot N:FILE.png]... [--paced]\n"
    "Runs the game with the pad played from FILE (lines \"FROM[-TO] KEYS\", KEYS from L R U D Z X C V\n"
    "or -, '#' comments), stops after N frames and writes the 640x480 picture of frame N to FILE.png.\n";

namespace {

bool parseCount(std::string_view text, std::uint64_t& value) {
    if (text.empty()) return false;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return failure == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool parseReplayOptions(int argc, const char* const* argv, ReplayOptions& options, std::string& error) {
    options = ReplayOptions{};
    bool framesGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--paced") {
            options.paced = true;
            continue;
        }
        if (option != "--dir" && option != "--script" && option != "--frames" && option != "--shot") {
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
        } else if (option == "--frames") {
            if (!parseCount(value, options.frames) || options.frames == 0) {
                error = "--frames wants a positive number, not " + std::string(value);
                return false;
            }
            framesGiven = true;
        } else {
            const auto colon = value.find(':');
            std::uint64_t frame = 0;
            if (colon == std::string_view::npos || !parseCount(value.substr(0, colon), frame) ||
                colon + 1 == value.size()) {
                error = "--shot wants N:FILE.png, not " + std::string(value);
                return false;
            }
            options.shots[frame] = std::string(value.substr(colon + 1));
        }
    }
    if (!framesGiven) options.frames = options.shots.empty() ? 1 : options.shots.rbegin()->first + 1;
    if (!options.shots.empty() && options.shots.rbegin()->first >= options.frames) {
        error = "a shot of frame " + std::to_string(options.shots.rbegin()->first) + " needs --frames above it";
        return false;
    }
    return true;
}
