#include "sdl_picture.h"

#include "pause_word.h"

#include <algorithm>

namespace {
template <typename Function>
bool load(Function& function, const char* name) {
    function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    return function != nullptr;
}
}  // namespace

bool SdlPicture::create(std::int32_t width, std::int32_t height, PictureScaling scaling) {
    if (framebuffer_) return true;
    const bool loaded = load(genFramebuffers_, "glGenFramebuffers") &&
                        load(deleteFramebuffers_, "glDeleteFramebuffers") &&
                        load(bindFramebuffer_, "glBindFramebuffer") && load(genRenderbuffers_, "glGenRenderbuffers") &&
                        load(deleteRenderbuffers_, "glDeleteRenderbuffers") &&
                        load(bindRenderbuffer_, "glBindRenderbuffer") &&
                        load(renderbufferStorage_, "glRenderbufferStorage") &&
                        load(framebufferRenderbuffer_, "glFramebufferRenderbuffer") &&
                        load(checkFramebufferStatus_, "glCheckFramebufferStatus") &&
                        load(blitFramebuffer_, "glBlitFramebuffer");
    if (!loaded) return false;
    // The same buffers as the window it replaces: 8-bit RGB without alpha, 24-bit depth, so pictures
    // and read-backs come out as they did.
    genRenderbuffers_(1, &colour_);
    bindRenderbuffer_(GL_RENDERBUFFER, colour_);
    renderbufferStorage_(GL_RENDERBUFFER, GL_RGB8, kPictureWidth, kPictureHeight);
    genRenderbuffers_(1, &depth_);
    bindRenderbuffer_(GL_RENDERBUFFER, depth_);
    renderbufferStorage_(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kPictureWidth, kPictureHeight);
    bindRenderbuffer_(GL_RENDERBUFFER, 0);
    genFramebuffers_(1, &framebuffer_);
    bindFramebuffer_(GL_FRAMEBUFFER, framebuffer_);
    framebufferRenderbuffer_(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    framebufferRenderbuffer_(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (checkFramebufferStatus_(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        destroy();
        return false;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    // The first picture is black, as a new window is, until a scene draws.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    chooseTarget(width, height, scaling);
    return true;
}

void SdlPicture::chooseTarget(std::int32_t width, std::int32_t height, PictureScaling scaling) {
    direct_ = pictureRect(scaling, width, height) == PictureRect{0, height - kPictureHeight, kPictureWidth, kPictureHeight};
    bindFramebuffer_(GL_FRAMEBUFFER, direct_ ? 0 : framebuffer_);
}

void SdlPicture::destroy() {
    if (!framebuffer_) return;
    bindFramebuffer_(GL_FRAMEBUFFER, 0);
    deleteFramebuffers_(1, &framebuffer_);
    deleteRenderbuffers_(1, &colour_);
    deleteRenderbuffers_(1, &depth_);
    framebuffer_ = colour_ = depth_ = 0;
}

void SdlPicture::showIn(std::int32_t width, std::int32_t height, PictureScaling scaling, bool pauseShown) {
    if (!framebuffer_) return;
    // The game's own clear colour and scissor test are put back afterwards.
    GLfloat clearColour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);

    const PictureRect rect = pictureRect(scaling, width, height);
    const GLint bottom = height - rect.y - rect.height;
    if (direct_ && !pauseShown) {
        // Drawn in place: keep a copy, and clear what lies above and right of the picture.
        bindFramebuffer_(GL_READ_FRAMEBUFFER, 0);
        bindFramebuffer_(GL_DRAW_FRAMEBUFFER, framebuffer_);
        blitFramebuffer_(0, 0, kPictureWidth, kPictureHeight, 0, 0, kPictureWidth, kPictureHeight, GL_COLOR_BUFFER_BIT,
                         GL_NEAREST);
        bindFramebuffer_(GL_FRAMEBUFFER, 0);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glEnable(GL_SCISSOR_TEST);
        glScissor(kPictureWidth, 0, std::max(0, width - kPictureWidth), height);
        glClear(GL_COLOR_BUFFER_BIT);
        glScissor(0, kPictureHeight, kPictureWidth, std::max(0, height - kPictureHeight));
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    } else {
        bindFramebuffer_(GL_READ_FRAMEBUFFER, framebuffer_);
        bindFramebuffer_(GL_DRAW_FRAMEBUFFER, 0);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        // Smooth when the scale is any ratio; whole multiples and the unscaled picture keep crisp pixels.
        const GLenum filter = scaling == PictureScaling::kFit ? GL_LINEAR : GL_NEAREST;
        blitFramebuffer_(0, 0, kPictureWidth, kPictureHeight, rect.x, bottom, rect.x + rect.width,
                         bottom + rect.height, GL_COLOR_BUFFER_BIT, filter);
        if (pauseShown) drawPauseWord(rect, height);
    }
    chooseTarget(width, height, scaling);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    if (scissor) glEnable(GL_SCISSOR_TEST);
}
