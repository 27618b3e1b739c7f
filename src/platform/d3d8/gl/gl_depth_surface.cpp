#include "platform/d3d8/gl/gl_depth_surface.h"

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/gl/gl_context.h"
#include "platform/d3d8/gl/gl_device.h"
#include "platform/d3d8/gl/gl_translate.h"

GlDepthSurface* GlDepthSurface::create(IDirect3DDevice8& device, GlContext& context,
                                       std::size_t* live, const D3DSURFACE_DESC& desc) {
    auto* surface = new GlDepthSurface(device, context, live, desc);
    if (surface->renderbuffer_ == 0) {
        surface->Release();
        return nullptr;
    }
    return surface;
}

GlDepthSurface::GlDepthSurface(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                               const D3DSURFACE_DESC& desc)
    : DeviceResource(device, live), context_(context), desc_(desc) {
    context_.makeCurrent();
    const GlApi& gl = context_.gl();
    gl.GetError();  // start from a clean error state
    gl.GenRenderbuffers(1, &renderbuffer_);
    gl.BindRenderbuffer(GL_RENDERBUFFER, renderbuffer_);
    gl.RenderbufferStorage(GL_RENDERBUFFER, glFormat(desc.Format).internalFormat,
                           GLsizei(desc.Width), GLsizei(desc.Height));
    if (gl.GetError() != GL_NO_ERROR) {
        gl.DeleteRenderbuffers(1, &renderbuffer_);
        renderbuffer_ = 0;
    }
}

GlDepthSurface::~GlDepthSurface() {
    context_.makeCurrent();
    context_.gl().DeleteRenderbuffers(1, &renderbuffer_);
}

GlAttachment GlDepthSurface::glAttachment() const {
    GlAttachment attachment;
    attachment.renderbuffer = renderbuffer_;
    attachment.stencil = hasStencil(desc_.Format);
    attachment.width = desc_.Width;
    attachment.height = desc_.Height;
    return attachment;
}

HRESULT GlDepthSurface::GetDesc(D3DSURFACE_DESC* desc) {
    if (desc == nullptr) return D3DERR_INVALIDCALL;
    *desc = desc_;
    return D3D_OK;
}

GlAutoDepthSurface::GlAutoDepthSurface(GlDevice& device) : DeviceChild(device), owner_(device) {}

GlAttachment GlAutoDepthSurface::glAttachment() const {
    const Framebuffer& target = owner_.backBuffer();
    GlAttachment attachment;
    attachment.renderbuffer = target.depthBuffer();
    attachment.stencil = target.hasStencil();
    attachment.width = target.width();
    attachment.height = target.height();
    return attachment;
}

HRESULT GlAutoDepthSurface::GetDesc(D3DSURFACE_DESC* desc) {
    if (desc == nullptr) return D3DERR_INVALIDCALL;
    const D3DPRESENT_PARAMETERS& params = owner_.presentParameters();
    *desc = depthStencilDesc(params.BackBufferWidth, params.BackBufferHeight,
                             params.AutoDepthStencilFormat);
    return D3D_OK;
}
