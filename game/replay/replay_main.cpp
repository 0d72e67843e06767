// puppet-replay: the game driven by an input script instead of a person, for tests, benchmarks and bug
// reports; or played by a person while their input is written down as such a script. It runs the
// same application, scenes and loop as puppet.

#include "datatree/read_failures.h"
#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "game/puppet_game.h"
#include "game/shell/audio_system.h"
#include "game/shell/config_file.h"
#include "input_journal.h"
#include "memory_log.h"
#include "platform/null/scripted_pad.h"
#include "platform/null/scripted_pointer.h"
#include "platform/openal/openal_output.h"
#include "platform/sdl/sdl_platform.h"
#include "random_input.h"
#include "replay_options.h"
#include "replay_recorder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

TextureCache textureCache;

namespace {

// The game takes one frame listener; a run may want several.
class FrameListeners final : public FrameListener {
public:
    void add(FrameListener& listener) { listeners_.push_back(&listener); }
    // Every listener hears of the frame; one that declines its picture is enough to skip it.
    bool wantsPicture(std::uint64_t frame) override {
        bool wanted = true;
        for (FrameListener* listener : listeners_) wanted = listener->wantsPicture(frame) && wanted;
        return wanted;
    }
    void frameDrawn(std::uint64_t frame) override {
        for (FrameListener* listener : listeners_) listener->frameDrawn(frame);
    }
    void frameEnded(std::uint64_t frame) override {
        for (FrameListener* listener : listeners_) listener->frameEnded(frame);
    }

private:
    std::vector<FrameListener*> listeners_;
};

}  // namespace

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
    // Script, journal and shot paths are taken from where the command was given, not from --dir.
    std::ofstream journalFile;
    if (!options.record.empty()) {
        journalFile.open(options.record, std::ios::binary | std::ios::trunc);
        if (!journalFile) {
            std::fprintf(stderr, "puppet-replay: cannot write %s\n", options.record.c_str());
            return 2;
        }
    }
    std::ofstream memoryFile;
    if (!options.memoryLog.empty()) {
        memoryFile.open(options.memoryLog, std::ios::binary | std::ios::trunc);
        if (!memoryFile) {
            std::fprintf(stderr, "puppet-replay: cannot write %s\n", options.memoryLog.c_str());
            return 2;
        }
    }
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

    read_failures::reportTo([](const std::string& line) { std::fprintf(stderr, "puppet-replay: %s\n", line.c_str()); });
    SdlPlatform sdl;
    if (!sdl.started()) {
        std::fprintf(stderr, "puppet-replay: cannot open a window (%s); run it under xvfb-run\n",
                     sdl.failure().c_str());
        return 1;
    }
    ScriptedPad scriptedPad(script);
    ScriptedPointer scriptedPointer(script);
    std::unique_ptr<InputJournal> journal;
    // A person playing hears the game; scripted runs stay silent.
    std::unique_ptr<AudioSystem> audio;
    if (!options.record.empty()) {
        journal = std::make_unique<InputJournal>(sdl.pad(), sdl.pointer(), journalFile);
        audio = std::make_unique<AudioSystem>(readSoundSettings(ConfigFile("config\\sound.txt")), makeOpenAlOutput());
    }
    std::unique_ptr<RandomInput> random;
    if (options.random) {
        // Pointer positions are picture pixels, whatever the window's size.
        const RandomPlayer player(options.randomSeed, options.crazy, kPictureWidth, kPictureHeight);
        random = std::make_unique<RandomInput>(player, [] {
            const GameScene* scene = GameScene::instance();
            return scene && scene->menuState < 2;
        });
    }
    PadDevice& pad = journal ? static_cast<PadDevice&>(*journal) : random ? static_cast<PadDevice&>(*random) : scriptedPad;
    PointerDevice& pointer = journal  ? static_cast<PointerDevice&>(*journal)
                             : random ? static_cast<PointerDevice&>(*random)
                                      : scriptedPointer;
    ReplayRecorder recorder(options);
    std::unique_ptr<MemoryLog> memoryLog;
    FrameListeners listeners;
    listeners.add(recorder);
    if (memoryFile.is_open()) {
        memoryLog = std::make_unique<MemoryLog>(memoryFile, options.memoryInterval);
        listeners.add(*memoryLog);
    }
    if (runPuppet({sdl.window(), sdl.clock(), pad, pointer}, [&](GameApp& app) {
            if (!options.paced) app.setUnpaced();
            // Only a person recording their play may pause; a script or random input plays on.
            if (!journal) app.neverPause();
            app.setFrameListener(&listeners);
        }) == kPuppetNoWindow) {
        std::fprintf(stderr, "puppet-replay: cannot open a window (%s)\n", sdl.failure().c_str());
        return 1;
    }
    std::uint64_t framesRun = random ? random->framesPlayed() : scriptedPad.framesPlayed();
    std::vector<std::string> problems;
    if (memoryLog && memoryLog->failed()) problems.push_back("cannot write " + options.memoryLog);
    if (journal) {
        journal->finish();
        framesRun = journal->frames();
        if (journal->failed()) problems.push_back("cannot write " + options.record);
        else std::fprintf(stderr, "puppet-replay: %llu frames recorded in %s\n",
                          static_cast<unsigned long long>(framesRun), options.record.c_str());
    }
    for (const std::string& problem : recorder.problems(framesRun)) problems.push_back(problem);
    for (const std::string& problem : problems) std::fprintf(stderr, "puppet-replay: %s\n", problem.c_str());
    return problems.empty() ? 0 : 1;
}
