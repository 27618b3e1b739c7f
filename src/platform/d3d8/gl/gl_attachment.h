// What a surface of the GL backend is when drawn to: a colour texture (the
// back buffer, a level of a render-target texture) or a depth(-stencil)
// renderbuffer.
#pragma once

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/gl/gl_api.h"

struct GlAttachment {
    GLuint texture = 0;  // colour: the texture and its level
    GLint level = 0;
    GLuint renderbuffer = 0;  // depth: the renderbuffer
    bool stencil = false;     // the renderbuffer holds stencil too
    UINT width = 0;
    UINT height = 0;

    bool operator==(const GlAttachment&) const = default;
};

class GlAttachable {
  public:
    virtual GlAttachment glAttachment() const = 0;

  protected:
    ~GlAttachable() = default;
};

// The attachment of a surface given to the device, or none when the surface
// is not one of this backend's.
inline const GlAttachable* glAttachable(IUnknown8* surface) {
    return dynamic_cast<const GlAttachable*>(surface);
}
