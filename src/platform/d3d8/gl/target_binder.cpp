#include "platform/d3d8/gl/target_binder.h"

TargetBinder::TargetBinder(const GlApi& gl) : gl_(gl) {
    gl_.GenFramebuffers(1, &own_);
}

TargetBinder::~TargetBinder() {
    gl_.DeleteFramebuffers(1, &own_);
}

void TargetBinder::bind(const GlAttachment& colour, const GlAttachment& depth,
                        const Framebuffer& backBuffer) {
    if (bound_ && colour == colour_ && depth == depth_) return;
    const bool backBuffersOwn = colour.texture == backBuffer.colourTexture() &&
                                depth.renderbuffer == backBuffer.depthBuffer();
    if (backBuffersOwn)
        gl_.BindFramebuffer(GL_FRAMEBUFFER, backBuffer.id());
    else
        attach(colour, depth);
    colour_ = colour;
    depth_ = depth;
    bound_ = true;
}

// GL allows attachments of different sizes: drawing covers their common
// area, which is the colour target's, since depth buffers are at least as
// large.
void TargetBinder::attach(const GlAttachment& colour, const GlAttachment& depth) {
    gl_.BindFramebuffer(GL_FRAMEBUFFER, own_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour.texture,
                             colour.level);
    gl_.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    const GLenum attachment = depth.stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
    gl_.FramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, depth.renderbuffer);
}
