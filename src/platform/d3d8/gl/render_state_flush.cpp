#include "platform/d3d8/gl/render_state_flush.h"

#include <cstring>
#include <span>

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

// The render states each group's flush reads.
constexpr DWORD BLEND_STATES[] = {D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND, D3DRS_DESTBLEND,
                                  D3DRS_BLENDOP};
constexpr DWORD DEPTH_STATES[] = {D3DRS_ZENABLE, D3DRS_ZWRITEENABLE, D3DRS_ZFUNC};
constexpr DWORD STENCIL_STATES[] = {D3DRS_STENCILENABLE, D3DRS_STENCILFUNC,     D3DRS_STENCILREF,
                                    D3DRS_STENCILMASK,   D3DRS_STENCILFAIL,     D3DRS_STENCILZFAIL,
                                    D3DRS_STENCILPASS,   D3DRS_STENCILWRITEMASK};
constexpr DWORD RASTERIZER_STATES[] = {D3DRS_CULLMODE, D3DRS_FILLMODE};
constexpr DWORD COLOUR_WRITE_STATES[] = {D3DRS_COLORWRITEENABLE};

std::span<const DWORD> statesOf(StateGroup group) {
    switch (group) {
        case StateGroup::Blend:
            return BLEND_STATES;
        case StateGroup::DepthTest:
            return DEPTH_STATES;
        case StateGroup::Stencil:
            return STENCIL_STATES;
        case StateGroup::Rasterizer:
            return RASTERIZER_STATES;
        case StateGroup::ColorWrite:
            return COLOUR_WRITE_STATES;
        default:  // the viewport, kept apart
            return {};
    }
}

constexpr std::uint32_t WRITE_MASK_GROUPS = std::uint32_t(StateGroup::ColorWrite) |
                                            std::uint32_t(StateGroup::DepthTest) |
                                            std::uint32_t(StateGroup::Stencil);

}  // namespace

bool RenderStateFlush::sentAlready(const DeviceState& state, StateGroup group) const {
    if (!known(group)) return false;
    if (group == StateGroup::Viewport)
        return std::memcmp(&state.viewport, &sentViewport_, sizeof sentViewport_) == 0;
    for (DWORD rs : statesOf(group))
        if (state.renderStates[rs] != sent_[rs]) return false;
    return true;
}

void RenderStateFlush::remember(const DeviceState& state, StateGroup group) {
    if (group == StateGroup::Viewport) sentViewport_ = state.viewport;
    for (DWORD rs : statesOf(group)) sent_[rs] = state.renderStates[rs];
    known_ |= std::uint32_t(group);
}

template <class Send>
void RenderStateFlush::flushGroup(const GlApi& gl, DeviceState& state, StateGroup group,
                                  Send send) {
    if (!state.isDirty(group)) return;
    state.dirtyGroups &= ~std::uint32_t(group);
    if (sentAlready(state, group)) return;
    send(gl, state);
    remember(state, group);
}

void RenderStateFlush::flush(const GlApi& gl, DeviceState& state) {
    flushGroup(gl, state, StateGroup::Blend, flushBlend);
    flushGroup(gl, state, StateGroup::DepthTest, flushDepth);
    flushGroup(gl, state, StateGroup::Stencil, flushStencil);
    flushGroup(gl, state, StateGroup::Rasterizer, flushRasterizer);
    flushGroup(gl, state, StateGroup::ColorWrite, flushColourWrite);
    flushGroup(gl, state, StateGroup::Viewport, flushViewport);
}

// Open: every colour channel written, depth written, the stencil's 8 bits written.
void RenderStateFlush::openWriteMasks(const GlApi& gl, DeviceState& state) {
    const auto& rs = sent_;
    const bool open = (known_ & WRITE_MASK_GROUPS) == WRITE_MASK_GROUPS &&
                      (rs[D3DRS_COLORWRITEENABLE] & 0xf) == 0xf && rs[D3DRS_ZWRITEENABLE] &&
                      (rs[D3DRS_STENCILWRITEMASK] & 0xff) == 0xff;
    if (open) return;
    gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.DepthMask(GL_TRUE);
    gl.StencilMask(0xff);
    known_ &= ~WRITE_MASK_GROUPS;
    state.dirtyGroups |= WRITE_MASK_GROUPS;
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
