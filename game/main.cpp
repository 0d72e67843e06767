// puppet: the game. It takes no notice of its command line beyond --help; everything it needs is under
// data/ and config/ in the working directory. When that folder has no data/ it says so on standard
// error and in a message box, and ends when the box is closed (with no way to show a box it runs on,
// showing nothing but its empty scenes). It says when it cannot open a window, and names each data
// file it cannot read.

#include "datatree/read_failures.h"
#include "game/graphics/texture_cache.h"
#include "platform/sdl/sdl_platform.h"
#include "puppet_game.h"
#include "start_hint.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

const char* const kUsage =
    "usage: puppet\n"
    "Dolvane!, the game. It takes no options: it reads data/ and config/ from the folder it is\n"
    "started in (build/run/ after a build: cd build/run && ../game/puppet, or ./scripts/play).\n"
    "Installed (cmake --install), the command puppet starts it with the settings in ~/.config/dolvane/.\n"
    "Keys: arrows move, Up jumps, Down dives, Z confirms and dashes, X conjures and throws stars,\n"
    "C collapses, P pauses, Escape quits, F4 switches between window and full screen; a game\n"
    "controller (A B X Y, d-pad or left stick, Start pauses) or a joystick works too.\n"
    "Settings: config/window.txt (name, icon, width, height, full, scale), config/speed.txt (no_wait),\n"
    "config/sound.txt (se_enable, bgm_enable), config/gamecontrollerdb.txt (pad mappings).\n";

}  // namespace

// Made before the game starts and gone after it ends, so textures outlive every scene.
TextureCache textureCache;

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    std::error_code noFolder, noProgram;
    const std::filesystem::path folder = std::filesystem::current_path(noFolder);
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", noProgram);
    const std::string hint =
        noFolder ? std::string() : missingDataHint(folder, noProgram ? std::filesystem::path() : program);
    if (!hint.empty()) {
        std::fprintf(stderr, "%s\n", hint.c_str());
    } else {
        // Without data/ the hint says it all; with it, each file that cannot be read is named once.
        read_failures::reportTo([](const std::string& line) { std::fprintf(stderr, "puppet: %s\n", line.c_str()); });
    }

    SdlPlatform sdl;
    if (!sdl.started()) {
        std::fprintf(stderr, "puppet: cannot open a window (%s); is a display there (DISPLAY)?\n",
                     sdl.failure().c_str());
        return 1;
    }
    if (sdl.unseen()) {
        std::fprintf(stderr,
                     "puppet: no display to show the game on (DISPLAY is not set); start it in a desktop "
                     "session, or set SDL_VIDEODRIVER=offscreen to run it unseen\n");
        return 1;
    }
    // A player who started the game from a file manager sees why nothing plays, not a blue window.
    if (!hint.empty() && sdl.showMessage("Dolvane!", hint)) return 1;
    const int status = runPuppet({sdl.window(), sdl.clock(), sdl.pad(), sdl.pointer()});
    if (status == kPuppetNoWindow) {
        std::fprintf(stderr, "puppet: cannot open a window (%s)\n", sdl.failure().c_str());
    }
    return status;
}
