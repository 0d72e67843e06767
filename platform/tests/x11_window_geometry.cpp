#include "x11_window_geometry.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

bool x11WindowSize(SDL_Window* window, int& width, int& height) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    XSync(info.info.x11.display, False);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}
