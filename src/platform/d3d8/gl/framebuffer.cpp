#include "platform/d3d8/gl/framebuffer.h"

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/gl/gl_translate.h"

std::unique_ptr<Framebuffer> Framebuffer::create(const GlApi& gl, UINT width, UINT height,
                                                 D3DFORMAT depthFormat) {
    std::unique_ptr<Framebuffer> target(new Framebuffer(gl, width, height, depthFormat));
    if (!target->allocate()) return nullptr;
    return target;
}

Framebuffer::Framebuffer(const GlApi& gl, UINT width, UINT height, D3DFORMAT depthFormat)
    : gl_(gl), width_(width), height_(height), depthFormat_(depthFormat) {}

Framebuffer::~Framebuffer() {
    gl_.DeleteFramebuffers(1, &framebuffer_);
    gl_.DeleteTextures(1, &colour_);
    gl_.DeleteRenderbuffers(1, &depth_);
}

bool Framebuffer::hasStencil() const {
    return hasDepth() && ::hasStencil(depthFormat_);
}

// Colour is always stored as RGBA8: every GL 3.3 driver renders to it, and
// the 16-bit back-buffer formats lose nothing by the extra precision.
bool Framebuffer::allocate() {
    gl_.GetError();  // start from a clean error state
    gl_.GenTextures(1, &colour_);
    gl_.BindTexture(GL_TEXTURE_2D, colour_);
    gl_.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(width_), GLsizei(height_), 0, GL_BGRA,
                   GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl_.GenFramebuffers(1, &framebuffer_);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    if (hasDepth()) {
        gl_.GenRenderbuffers(1, &depth_);
        gl_.BindRenderbuffer(GL_RENDERBUFFER, depth_);
        gl_.RenderbufferStorage(GL_RENDERBUFFER, glFormat(depthFormat_).internalFormat,
                                GLsizei(width_), GLsizei(height_));
        const GLenum attachment = hasStencil() ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        gl_.FramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, depth_);
    }
    const bool complete = gl_.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    return complete && gl_.GetError() == GL_NO_ERROR;
}

std::vector<DWORD> Framebuffer::readPixels(const RECT& area) const {
    const GLsizei width = area.right - area.left;
    const GLsizei height = area.bottom - area.top;
    std::vector<DWORD> pixels(std::size_t(width) * std::size_t(height));
    gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    gl_.PixelStorei(GL_PACK_ALIGNMENT, 4);
    gl_.ReadPixels(area.left, area.top, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                   pixels.data());
    return pixels;
}

std::vector<DWORD> readTextureLevel(const GlApi& gl, GLuint texture, GLint level,
                                    const RECT& area) {
    const GLsizei width = area.right - area.left;
    const GLsizei height = area.bottom - area.top;
    std::vector<DWORD> pixels(std::size_t(width) * std::size_t(height));
    GLuint reader = 0;
    gl.GenFramebuffers(1, &reader);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, reader);
    gl.FramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture,
                            level);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
    gl.ReadPixels(area.left, area.top, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                  pixels.data());
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    gl.DeleteFramebuffers(1, &reader);
    return pixels;
}
