// A person at the keyboard, joystick and mouse, played by a program: runs the real game on the data
// set in RUN_DIR for FRAMES frames with the input of synthetic devices passed through the journal that
// `puppet-replay --record` uses, and writes the journal to OUT_DIR/journal.txt and the game's state
// after every frame to OUT_DIR/a<frame>.json.
//
//   journal_probe RUN_DIR OUT_DIR FRAMES

#include "game/graphics/texture_cache.h"
#include "game/puppet_game.h"
#include "game/replay/input_journal.h"
#include "game/replay/replay_options.h"
#include "game/replay/replay_recorder.h"
#include "platform/sdl/sdl_platform.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

TextureCache textureCache;

namespace {

// Keys and a stick that come and go: start the game, walk, jump, throw stars, dash, hold V for the
// ground edit, and now and then a joystick, tilted and pressed.
class Hands final : public PadDevice, public PointerDevice {
public:
    std::uint32_t heldKeys() override {
        const std::uint64_t f = padFrame_++;
        std::uint32_t keys = 0;
        if (f == 5 || f == 11) keys |= kPadKeyZ;
        if (f >= 100 && f < 180) keys |= kPadKeyRight;
        if (f == 190 || f == 196) keys |= kPadKeyUp;
        if (f >= 230 && f < 262) keys |= kPadKeyX;
        if (f >= 300 && f < 340) keys |= kPadKeyLeft;
        if (f >= 350 && f % 60 < 25) keys |= kPadKeyZ;
        if (f >= 450 && f < 520) keys |= kPadKeyV;
        if (f >= 700 && f % 50 < 10) keys |= kPadKeyDown | kPadKeyRight;
        current_ = f;
        return keys;
    }
    bool readJoystick(JoystickPosition& position) override {
        const std::uint64_t f = current_;
        if (f < 250 || (f / 90) % 3 == 0) return false;
        const double t = static_cast<double>(f);
        position.x = static_cast<std::uint32_t>(32768 + 30000 * std::sin(t * 0.05));
        position.y = static_cast<std::uint32_t>(32768 + 30000 * std::cos(t * 0.031));
        position.z = static_cast<std::uint32_t>(f * 97 % 65536);
        position.buttons = (f % 40 < 8 ? 1u : 0u) | (f % 70 < 3 ? 4u : 0u) | (f % 33 < 5 ? 1u << 6 : 0u);
        position.ranges = JoystickRanges{};
        if (f % 7 == 0) position.ranges.zMin = position.ranges.zMax = position.z = 0;  // a stick without Z
        return true;
    }
    MouseState readMouse() override {
        const std::uint64_t f = mouseFrame_++;
        const double t = static_cast<double>(f);
        MouseState mouse;
        mouse.x = static_cast<std::int32_t>(std::lround(320 + 260 * std::cos(t * 0.03)));
        mouse.y = static_cast<std::int32_t>(std::lround(300 + 200 * std::sin(t * 0.047)));
        mouse.left = f >= 440 && f < 530;
        mouse.right = f >= 600 && f < 604;
        return mouse;
    }

private:
    std::uint64_t padFrame_ = 0, mouseFrame_ = 0, current_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: journal_probe RUN_DIR OUT_DIR FRAMES\n");
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    ReplayOptions options;
    options.frames = std::strtoull(argv[3], nullptr, 10);
    for (std::uint64_t frame = 0; frame < options.frames; ++frame) {
        options.states[frame] = (out / ("a" + std::to_string(frame) + ".json")).string();
    }
    std::ofstream journalFile(out / "journal.txt", std::ios::binary | std::ios::trunc);
    std::filesystem::current_path(argv[1]);

    SdlPlatform sdl;
    Hands hands;
    InputJournal journal(hands, hands, journalFile);
    ReplayRecorder recorder(options);
    runPuppet({sdl.window(), sdl.clock(), journal, journal}, [&](GameApp& app) {
        app.setUnpaced();
        app.neverPause();  // its hands never come back from another window
        app.setFrameListener(&recorder);
    });
    journal.finish();
    const auto problems = recorder.problems(journal.frames());
    for (const std::string& problem : problems) std::fprintf(stderr, "journal_probe: %s\n", problem.c_str());
    return problems.empty() && !journal.failed() ? 0 : 1;
}
