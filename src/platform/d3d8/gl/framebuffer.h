// A render target of the GL backend: an FBO with a colour texture and an
// optional depth(-stencil) renderbuffer. Row 0 of the FBO is the top row of
// the image, so Direct3D's top-left coordinates are GL's framebuffer
// coordinates unchanged.
#pragma once

#include <memory>
#include <vector>

#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/gl/gl_api.h"

class Framebuffer {
  public:
    // Null when GL cannot make the target (no memory, size too large).
    // depthFormat D3DFMT_UNKNOWN: no depth buffer.
    static std::unique_ptr<Framebuffer> create(const GlApi& gl, UINT width, UINT height,
                                               D3DFORMAT depthFormat);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    GLuint id() const { return framebuffer_; }
    UINT width() const { return width_; }
    UINT height() const { return height_; }
    bool hasDepth() const { return depthFormat_ != D3DFMT_UNKNOWN; }
    bool hasStencil() const;
    GLuint colourTexture() const { return colour_; }
    GLuint depthBuffer() const { return depth_; }

    // Reads an area as A8R8G8B8 pixels, top row first.
    std::vector<DWORD> readPixels(const RECT& area) const;

  private:
    Framebuffer(const GlApi& gl, UINT width, UINT height, D3DFORMAT depthFormat);
    bool allocate();

    const GlApi& gl_;
    UINT width_, height_;
    D3DFORMAT depthFormat_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
};

// Reads an area of a texture level as A8R8G8B8 pixels, top row first,
// through a read framebuffer of its own; the draw framebuffer is untouched.
std::vector<DWORD> readTextureLevel(const GlApi& gl, GLuint texture, GLint level, const RECT& area);
