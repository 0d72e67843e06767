#include "sdl_input.h"

#include "sdl_window.h"

SdlJoystick::SdlJoystick() { open(); }

SdlJoystick::~SdlJoystick() { close(); }

void SdlJoystick::open() {
    if (stick_ || SDL_WasInit(SDL_INIT_JOYSTICK) == 0 || SDL_NumJoysticks() < 1) return;
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0 && SDL_IsGameController(0)) {
        controller_ = SDL_GameControllerOpen(0);
        if (controller_) {
            stick_ = SDL_GameControllerGetJoystick(controller_);
            return;
        }
    }
    stick_ = SDL_JoystickOpen(0);
}

void SdlJoystick::close() {
    if (controller_) {
        SDL_GameControllerClose(controller_);  // closes its joystick too
    } else if (stick_) {
        SDL_JoystickClose(stick_);
    }
    controller_ = nullptr;
    stick_ = nullptr;
}

void SdlJoystick::deviceAdded() { open(); }

void SdlJoystick::deviceRemoved(SDL_JoystickID instance) {
    if (stick_ && SDL_JoystickInstanceID(stick_) == instance) {
        close();
        open();  // another stick still plugged in becomes joystick 0
    }
}

bool SdlJoystick::readController(JoystickPosition& position) {
    SDL_GameController* pad = controller_;
    auto held = [pad](SDL_GameControllerButton button) { return SDL_GameControllerGetButton(pad, button) != 0; };
    // The d-pad is pushed all the way or not at all; it wins over the left stick on its own axis.
    auto axis = [&](SDL_GameControllerButton low, SDL_GameControllerButton high, SDL_GameControllerAxis stick) {
        if (held(low)) return std::uint32_t{0};
        if (held(high)) return std::uint32_t{65535};
        return static_cast<std::uint32_t>(SDL_GameControllerGetAxis(pad, stick) + 32768);
    };
    JoystickPosition reading;
    reading.x = axis(SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_AXIS_LEFTX);
    reading.y = axis(SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_AXIS_LEFTY);
    // A pad has no throttle.
    reading.z = reading.ranges.zMin = reading.ranges.zMax = 0;
    const SDL_GameControllerButton buttons[] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
                                                SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y};
    for (int i = 0; i < 4; ++i) {
        if (held(buttons[i])) reading.buttons |= 1u << i;
    }
    position = reading;
    return true;
}

bool SdlJoystick::read(JoystickPosition& position) {
    if (!stick_ || !SDL_JoystickGetAttached(stick_)) return false;
    if (controller_) return readController(position);
    const int axes = SDL_JoystickNumAxes(stick_);
    // SDL's signed axis value a is the unsigned position a + 32768 on 0 ... 65535.
    auto axis = [&](int index, std::uint32_t& value, std::uint32_t& lo, std::uint32_t& hi) {
        if (index < axes) {
            value = static_cast<std::uint32_t>(SDL_JoystickGetAxis(stick_, index) + 32768);
            lo = 0;
            hi = 65535;
        } else {
            value = lo = hi = 0;
        }
    };
    JoystickPosition reading;
    axis(0, reading.x, reading.ranges.xMin, reading.ranges.xMax);
    axis(1, reading.y, reading.ranges.yMin, reading.ranges.yMax);
    axis(2, reading.z, reading.ranges.zMin, reading.ranges.zMax);
    const int buttons = SDL_JoystickNumButtons(stick_);
    for (int i = 0; i < buttons && i < 32; ++i) {
        if (SDL_JoystickGetButton(stick_, i)) reading.buttons |= 1u << i;
    }
    position = reading;
    return true;
}

std::uint32_t SdlPad::heldKeys() {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    if (!keys) return 0;
    // Letters follow the keyboard layout, as their printed labels do; arrows are fixed keys.
    auto letter = [&](SDL_Keycode key) { return keys[SDL_GetScancodeFromKey(key)] != 0; };
    std::uint32_t held = 0;
    if (keys[SDL_SCANCODE_LEFT]) held |= kPadKeyLeft;
    if (keys[SDL_SCANCODE_RIGHT]) held |= kPadKeyRight;
    if (keys[SDL_SCANCODE_UP]) held |= kPadKeyUp;
    if (keys[SDL_SCANCODE_DOWN]) held |= kPadKeyDown;
    if (letter(SDLK_z)) held |= kPadKeyZ;
    if (letter(SDLK_x)) held |= kPadKeyX;
    if (letter(SDLK_c)) held |= kPadKeyC;
    if (letter(SDLK_v)) held |= kPadKeyV;
    return held;
}

MouseState SdlPointer::readMouse() {
    MouseState mouse;
    int globalX = 0, globalY = 0;
    const Uint32 buttons = SDL_GetGlobalMouseState(&globalX, &globalY);
    int windowX = 0, windowY = 0;
    if (window_.handle()) SDL_GetWindowPosition(window_.handle(), &windowX, &windowY);
    // Picture pixels, whatever the window's size, so a run replays in any window; even outside the
    // picture, so the position may be negative or beyond its size.
    windowToPicture(window_.pictureInWindow(), globalX - windowX, globalY - windowY, mouse.x, mouse.y);
    mouse.left = (buttons & SDL_BUTTON_LMASK) != 0;
    mouse.right = (buttons & SDL_BUTTON_RMASK) != 0;
    return mouse;
}
