#include "lock_state_x11.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

// One connection of our own for the whole run: Qt talks to the server through xcb, and the named
// indicators are simplest to read through Xlib's XKB calls.
class IndicatorDisplay {
public:
    IndicatorDisplay() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
        display_ = XOpenDisplay(nullptr);
        if (!display_) return;
        int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
        if (!XkbQueryExtension(display_, &opcode, &event, &error, &major, &minor)) {
            XCloseDisplay(display_);
            display_ = nullptr;
            return;
        }
        caps_ = XInternAtom(display_, "Caps Lock", False);
        num_ = XInternAtom(display_, "Num Lock", False);
        scroll_ = XInternAtom(display_, "Scroll Lock", False);
    }
    ~IndicatorDisplay() {
        if (display_) XCloseDisplay(display_);
    }
    IndicatorDisplay(const IndicatorDisplay&) = delete;
    IndicatorDisplay& operator=(const IndicatorDisplay&) = delete;

    LockState read() const {
        LockState state;
        if (!display_) return state;
        bool found = true;
        state.caps = light(caps_, found);
        state.num = light(num_, found);
        state.scroll = light(scroll_, found);
        state.known = found;
        return state;
    }

private:
    bool light(Atom name, bool& found) const {
        Bool on = False;
        if (!XkbGetNamedIndicator(display_, name, nullptr, &on, nullptr, nullptr)) found = false;
        return on == True;
    }

    Display* display_ = nullptr;
    Atom caps_ = 0, num_ = 0, scroll_ = 0;
};

}  // namespace

LockState readLockState() {
    static const IndicatorDisplay display;
    return display.read();
}
