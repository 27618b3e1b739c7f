#include "platform/d3d8/gl/render_state_flush.h"

#include "platform/d3d8/gl/gl_translate.h"

namespace {

void enable(const GlApi& gl, GLenum capability, bool on) {
    if (on)
        gl.Enable(capability);
    else
        gl.Disable(capability);
}

void flushBlend(const GlApi& gl, const DeviceState& state) {
    const auto& rs = state.renderStates;
    enable(gl, GL_BLEND, rs[D3DRS_ALPHABLENDENABLE] != FALSE);
    const GlBlendFactors factors = glBlendFactors(rs[D3DRS_SRCBLEND], rs[D3DRS_DESTBLEND]);
    gl.BlendFunc(factors.source, factors.destination);
    gl.BlendEquation(glBlendEquation(rs[D3DRS_BLENDOP]));
}

// D3DZB_USEW tests depth as D3DZB_TRUE does.
void flushDepth(const GlApi& gl, const DeviceState& state) {
    const auto& rs = state.renderStates;
    enable(gl, GL_DEPTH_TEST, rs[D3DRS_ZENABLE] != D3DZB_FALSE);
    gl.DepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    gl.DepthFunc(glCompareFunc(rs[D3DRS_ZFUNC]));
}

void flushStencil(const GlApi& gl, const DeviceState& state) {
    const auto& rs = state.renderStates;
    enable(gl, GL_STENCIL_TEST, rs[D3DRS_STENCILENABLE] != FALSE);
    gl.StencilFunc(glCompareFunc(rs[D3DRS_STENCILFUNC]), GLint(rs[D3DRS_STENCILREF]),
                   rs[D3DRS_STENCILMASK]);
    gl.StencilOp(glStencilOp(rs[D3DRS_STENCILFAIL]), glStencilOp(rs[D3DRS_STENCILZFAIL]),
                 glStencilOp(rs[D3DRS_STENCILPASS]));
    gl.StencilMask(rs[D3DRS_STENCILWRITEMASK]);
}

GLenum polygonMode(DWORD fillMode) {
    if (fillMode == D3DFILL_POINT) return GL_POINT;
    if (fillMode == D3DFILL_WIREFRAME) return GL_LINE;
    return GL_FILL;
}

void flushRasterizer(const GlApi& gl, const DeviceState& state) {
    const GlCull cull = glCull(state.renderStates[D3DRS_CULLMODE]);
    enable(gl, GL_CULL_FACE, cull.enabled);
    gl.FrontFace(cull.frontFace);
    gl.CullFace(GL_BACK);
    gl.PolygonMode(GL_FRONT_AND_BACK, polygonMode(state.renderStates[D3DRS_FILLMODE]));
}

void flushColourWrite(const GlApi& gl, const DeviceState& state) {
    const DWORD mask = state.renderStates[D3DRS_COLORWRITEENABLE];
    gl.ColorMask(mask & D3DCOLORWRITEENABLE_RED ? GL_TRUE : GL_FALSE,
                 mask & D3DCOLORWRITEENABLE_GREEN ? GL_TRUE : GL_FALSE,
                 mask & D3DCOLORWRITEENABLE_BLUE ? GL_TRUE : GL_FALSE,
                 mask & D3DCOLORWRITEENABLE_ALPHA ? GL_TRUE : GL_FALSE);
}

// The target is stored top-down, so Direct3D's viewport is GL's unchanged.
void flushViewport(const GlApi& gl, const DeviceState& state) {
    const D3DVIEWPORT8& viewport = state.viewport;
    gl.Viewport(GLint(viewport.X), GLint(viewport.Y), GLsizei(viewport.Width),
                GLsizei(viewport.Height));
    gl.DepthRange(viewport.MinZ, viewport.MaxZ);
}

template <class Flush>
void flushGroup(const GlApi& gl, DeviceState& state, StateGroup group, Flush flush) {
    if (!state.isDirty(group)) return;
    flush(gl, state);
    state.dirtyGroups &= ~std::uint32_t(group);
}

}  // namespace

void flushRenderStates(const GlApi& gl, DeviceState& state) {
    flushGroup(gl, state, StateGroup::Blend, flushBlend);
    flushGroup(gl, state, StateGroup::DepthTest, flushDepth);
    flushGroup(gl, state, StateGroup::Stencil, flushStencil);
    flushGroup(gl, state, StateGroup::Rasterizer, flushRasterizer);
    flushGroup(gl, state, StateGroup::ColorWrite, flushColourWrite);
    flushGroup(gl, state, StateGroup::Viewport, flushViewport);
}

GLenum glPrimitive(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST:
            return GL_POINTS;
        case D3DPT_LINELIST:
            return GL_LINES;
        case D3DPT_LINESTRIP:
            return GL_LINE_STRIP;
        case D3DPT_TRIANGLESTRIP:
            return GL_TRIANGLE_STRIP;
        case D3DPT_TRIANGLEFAN:
            return GL_TRIANGLE_FAN;
        default:
            return GL_TRIANGLES;
    }
}
