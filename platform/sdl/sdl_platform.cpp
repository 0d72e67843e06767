#include "sdl_platform.h"

#include "sdl_input.h"
#include "sdl_window.h"

#include <SDL.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

class SdlClock final : public Clock {
public:
    std::uint32_t ticks() override { return SDL_GetTicks(); }
    void sleep(std::uint32_t milliseconds) override { SDL_Delay(milliseconds); }
    void yield() override { std::this_thread::yield(); }
    void nap() override { std::this_thread::sleep_for(std::chrono::microseconds(100)); }
};

// SDL must be running before any of the parts is made and stop after all are gone.
struct SdlSystem {
    SdlSystem() {
        // The game reads the stick whether or not its window has the focus.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        // A fullscreen game keeps its window when another one takes the focus, instead of being
        // minimised out of sight.
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        videoStarted = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0;
        if (!videoStarted) failure = SDL_GetError();
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        // SDL's own mapping database and SDL_GAMECONTROLLERCONFIG are read here; a player's file of
        // mappings in the community format adds to them.
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {
            SDL_GameControllerAddMappingsFromFile("config/gamecontrollerdb.txt");
        }
    }
    ~SdlSystem() { SDL_Quit(); }
    bool videoStarted = false;
    std::string failure;
};

}  // namespace

struct SdlPlatform::Parts {
    SdlSystem system;
    SdlClock clock;
    SdlJoystick joystick;
    SdlWindow window{joystick};
    SdlPad pad{joystick};
    SdlPointer pointer{window};
};

SdlPlatform::SdlPlatform() : parts_(std::make_unique<Parts>()) {}

SdlPlatform::~SdlPlatform() = default;

bool SdlPlatform::started() const { return parts_->system.videoStarted; }

std::string SdlPlatform::failure() const {
    if (!parts_->system.videoStarted) return "no video system: " + parts_->system.failure;
    return parts_->window.failure();
}

bool SdlPlatform::unseen() const {
    const char* driver = parts_->system.videoStarted ? SDL_GetCurrentVideoDriver() : nullptr;
    if (!driver) return false;
    const std::string name = driver;
    if (name != "offscreen" && name != "dummy") return false;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return !asked || std::string(asked).find(name) == std::string::npos;
}

bool SdlPlatform::showMessage(const std::string& title, const std::string& text) {
    if (!parts_->system.videoStarted) return false;
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), parts_->window.handle()) == 0;
}

GameWindow& SdlPlatform::window() { return parts_->window; }
Clock& SdlPlatform::clock() { return parts_->clock; }
PadDevice& SdlPlatform::pad() { return parts_->pad; }
PointerDevice& SdlPlatform::pointer() { return parts_->pointer; }
