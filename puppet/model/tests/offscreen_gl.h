#pragma once
// A small offscreen OpenGL context for drawing tests: Mesa's surfaceless EGL platform with a pbuffer,
// so no window system is needed.

#include <EGL/egl.h>
#include <EGL/eglext.h>

class OffscreenGl {
public:
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    bool ready() const { return ready_; }

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
    EGLSurface surface_ = EGL_NO_SURFACE;
    bool ready_ = false;
};
