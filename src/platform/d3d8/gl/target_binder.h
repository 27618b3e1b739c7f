// Puts the device's render target and depth-stencil surface in GL's draw
// framebuffer: the back buffer's own framebuffer when both are the back
// buffer's, otherwise a framebuffer of the binder's own with the two
// attached.
#pragma once

#include "platform/d3d8/gl/framebuffer.h"
#include "platform/d3d8/gl/gl_attachment.h"

class TargetBinder {
  public:
    explicit TargetBinder(const GlApi& gl);
    ~TargetBinder();
    TargetBinder(const TargetBinder&) = delete;
    TargetBinder& operator=(const TargetBinder&) = delete;

    // Binds unless the same pair is bound already. `depth` may be empty.
    void bind(const GlAttachment& colour, const GlAttachment& depth, const Framebuffer& backBuffer);
    // After another framebuffer was bound: the next bind binds again.
    void forget() { bound_ = false; }

  private:
    void attach(const GlAttachment& colour, const GlAttachment& depth);

    const GlApi& gl_;
    GLuint own_ = 0;
    bool bound_ = false;
    GlAttachment colour_;
    GlAttachment depth_;
};
