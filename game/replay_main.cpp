// puppet-replay: the game driven by a pad script instead of a person, for tests, benchmarks and bug
// reports. It runs the same application, scenes and loop as puppet.

#include "game/graphics/texture_cache.h"
#include "platform/null/null_pointer.h"
#include "platform/null/scripted_pad.h"
#include "platform/sdl/sdl_platform.h"
#include "puppet_game.h"
#include "replay_options.h"
#include "replay_recorder.h"

#include <cstdio>
#include <filesystem>

TextureCache textureCache;

int main(int argc, char** argv) {
    ReplayOptions options;
    std::string error;
    if (!parseReplayOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "puppet-replay: %s\n%s", error.c_str(), kReplayUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kReplayUsage, stdout);
        return 0;
    }
    ReplayScript script;
    if (!options.script.empty() && !script.load(options.script, error)) {
        std::fprintf(stderr, "puppet-replay: %s: %s\n", options.script.c_str(), error.c_str());
        return 2;
    }
    // Script and shot paths are taken from where the command was given, not from --dir.
    for (auto& [frame, path] : options.shots) path = std::filesystem::absolute(path).string();
    for (auto& [frame, path] : options.states) path = std::filesystem::absolute(path).string();
    if (!options.dir.empty()) {
        std::error_code failure;
        std::filesystem::current_path(options.dir, failure);
        if (failure) {
            std::fprintf(stderr, "puppet-replay: cannot enter %s: %s\n", options.dir.c_str(),
                         failure.message().c_str());
            return 2;
        }
    }

    SdlPlatform sdl;
    if (!sdl.started()) {
        std::fprintf(stderr, "puppet-replay: cannot open a window (%s); run it under xvfb-run\n",
                     sdl.failure().c_str());
        return 1;
    }
    ScriptedPad pad(std::move(script));
    NullPointer pointer;
    ReplayRecorder recorder(options);
    std::uint64_t framesRun = 0;
    if (runPuppet({sdl.window(), sdl.clock(), pad, pointer}, [&](GameApp& app) {
            if (!options.paced) app.setUnpaced();
            app.setFrameListener(&recorder);
        }) == kPuppetNoWindow) {
        std::fprintf(stderr, "puppet-replay: cannot open a window (%s)\n", sdl.failure().c_str());
        return 1;
    }
    framesRun = pad.framesPlayed();

    const auto problems = recorder.problems(framesRun);
    for (const std::string& problem : problems) std::fprintf(stderr, "puppet-replay: %s\n", problem.c_str());
    return problems.empty() ? 0 : 1;
}
