#include "sdl_input.h"

#include "sdl_window.h"

SdlJoystick::SdlJoystick() { open(); }

SdlJoystick::~SdlJoystick() { close(); }

void SdlJoystick::open() {
    if (stick_ || SDL_WasInit(SDL_INIT_JOYSTICK) == 0 || SDL_NumJoysticks() < 1) return;
    stick_ = SDL_JoystickOpen(0);
}

void SdlJoystick::close() {
    if (stick_) SDL_JoystickClose(stick_);
    stick_ = nullptr;
}

void SdlJoystick::deviceAdded() { open(); }

void SdlJoystick::deviceRemoved(SDL_JoystickID instance) {
    if (stick_ && SDL_JoystickInstanceID(stick_) == instance) {
        close();
        open();  // another stick still plugged in becomes joystick 0
    }
}

bool SdlJoystick::read(JoystickPosition& position) {
    if (!stick_ || !SDL_JoystickGetAttached(stick_)) return false;
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
    // Client pixels even outside the window, so the position may be negative or beyond its size.
    mouse.x = globalX - windowX;
    mouse.y = globalY - windowY;
    mouse.left = (buttons & SDL_BUTTON_LMASK) != 0;
    mouse.right = (buttons & SDL_BUTTON_RMASK) != 0;
    return mouse;
}
