#pragma once
// The keyboard's caps, num and scroll lock lights, where the windowing system can tell them.

struct LockState {
    bool known = false;  // false: the platform cannot tell; show nothing rather than guess
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Reads the X server's keyboard indicators when the application runs on X11; unknown elsewhere.
LockState readLockState();
