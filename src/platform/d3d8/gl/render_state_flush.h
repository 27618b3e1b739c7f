// Sends the render-state groups a draw depends on to GL: blending, depth
// test, stencil, culling and fill mode, colour writes and the viewport.
// Alpha test, texture factor and transforms reach the generated programs as
// uniforms instead. A group is looked at only when marked dirty, and sent
// only when its values differ from those GL was last sent: a layer that
// sets a state, draws and sets it back costs the next layer nothing.
#pragma once

#include <array>
#include <cstdint>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/gl/gl_api.h"

class RenderStateFlush {
  public:
    // Sends the dirty groups GL lacks and clears their marks.
    void flush(const GlApi& gl, DeviceState& state);
    // A clear writes whatever the write masks say: opens the colour, depth
    // and stencil masks unless GL has them open already; the groups they
    // belong to are sent again at the next draw.
    void openWriteMasks(const GlApi& gl, DeviceState& state);
    // GL's state is no longer known: every group is sent at its next flush.
    void forget() { known_ = 0; }

  private:
    template <class Send>
    void flushGroup(const GlApi& gl, DeviceState& state, StateGroup group, Send send);
    bool sentAlready(const DeviceState& state, StateGroup group) const;
    void remember(const DeviceState& state, StateGroup group);
    bool known(StateGroup group) const { return (known_ & std::uint32_t(group)) != 0; }

    std::array<DWORD, D3D_RENDERSTATE_COUNT> sent_{};
    D3DVIEWPORT8 sentViewport_{};
    std::uint32_t known_ = 0;  // StateGroup bits whose sent values GL has
};

// The GL primitive of a Direct3D primitive type (triangles for unknown ones).
GLenum glPrimitive(D3DPRIMITIVETYPE type);
