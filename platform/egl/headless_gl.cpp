#include "headless_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

struct HeadlessGl::State {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    bool current = false;
};

HeadlessGl::HeadlessGl() : state_(std::make_unique<State>()) {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return;
    state_->display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (state_->display == EGL_NO_DISPLAY) return;
    EGLint major = 0, minor = 0;
    if (!eglInitialize(state_->display, &major, &minor)) {
        state_->display = EGL_NO_DISPLAY;
        return;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) return;
    // Without a surface there is no config to match: the context needs none.
    state_->context = eglCreateContext(state_->display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    if (state_->context == EGL_NO_CONTEXT) return;
    state_->current = eglMakeCurrent(state_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, state_->context);
}

HeadlessGl::~HeadlessGl() {
    if (state_->display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(state_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (state_->context != EGL_NO_CONTEXT) eglDestroyContext(state_->display, state_->context);
    eglTerminate(state_->display);
}

bool HeadlessGl::current() const { return state_->current; }
