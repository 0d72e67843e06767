#pragma once
// The size of an SDL window as the X server has it, which may differ from what SDL believes when no
// window manager acts on SDL's requests. Kept apart: X11's macros clash with the test framework.

#include <SDL.h>

// False when the window is not an X11 window.
bool x11WindowSize(SDL_Window* window, int& width, int& height);
