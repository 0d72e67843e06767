#pragma once
// The game's picture on the GPU: an offscreen framebuffer of the picture's fixed size that the scenes
// draw into, shown in the window by a scaled copy. Drawing rules, read-backs and screenshots stay
// those of a 640 x 480 window, whatever the real window's size. Where the picture lands in the window
// unscaled in its lower-left corner (a 640 x 480 window, or no scaling), the scenes draw straight into
// the window as they always did, so that its pixels are exactly those of before; the offscreen
// picture then keeps a copy, for a pause to show.

#include "platform/picture_layout.h"

#include <SDL.h>
#include <SDL_opengl.h>

class SdlPicture {
public:
    // Needs the window's GL context current; the window's drawable is width x height. False, drawing
    // straight into the window as before, when the driver has no framebuffer objects.
    bool create(std::int32_t width, std::int32_t height, PictureScaling scaling);
    void destroy();
    bool exists() const { return framebuffer_ != 0; }

    // Copies the picture into the window's back buffer of drawable size width x height, clearing the
    // rest to black, with the word "PAUSE" over it when asked; then drawing goes into the picture
    // again. The picture itself is left as it is.
    void showIn(std::int32_t width, std::int32_t height, PictureScaling scaling, bool pauseShown);

private:
    // Binds what the next frame draws into: the window where the picture lands there unscaled, else
    // the offscreen picture.
    void chooseTarget(std::int32_t width, std::int32_t height, PictureScaling scaling);

    PFNGLGENFRAMEBUFFERSPROC genFramebuffers_ = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers_ = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer_ = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers_ = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers_ = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer_ = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage_ = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer_ = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus_ = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer_ = nullptr;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
    bool direct_ = false;  // this frame is drawn straight into the window
};
