// The GL objects a draw goes through, and the steps that make GL match the
// device's state before a draw: target, render states, stage textures and
// samplers, and the generated program with its uniforms. Only what changed
// since the previous draw is sent again.
#pragma once

#include <array>

#include "platform/d3d8/bound_resources.h"
#include "platform/d3d8/device_state.h"
#include "platform/d3d8/gl/framebuffer.h"
#include "platform/d3d8/gl/program_cache.h"
#include "platform/d3d8/gl/render_state_flush.h"
#include "platform/d3d8/gl/sampler_stages.h"
#include "platform/d3d8/gl/target_binder.h"
#include "platform/d3d8/gl/uniform_values.h"
#include "platform/d3d8/gl/vertex_stream.h"

class GlPipeline {
  public:
    explicit GlPipeline(const GlApi& gl);

    // The device's render target and depth-stencil surface as GL's draw
    // framebuffer; looked up again only after targetsChanged.
    void bindTarget(const BoundResources& bound, const Framebuffer& backBuffer);
    void targetsChanged() { targetCurrent_ = false; }
    // Sends what a draw of vertices laid out as `layout` needs; false when
    // there is no program to draw them with.
    bool prepareDraw(DeviceState& state, const BoundResources& bound, const VertexLayout& layout);
    VertexStream& stream() { return stream_; }
    // Before a clear: colour, depth and stencil writes on.
    void openWriteMasks(DeviceState& state) { renderStates_.openWriteMasks(gl_, state); }
    // After another framebuffer was bound for drawing (presenting): the
    // target is bound again at the next use.
    void forgetTarget();
    // After framebuffers, textures, programs or vertex arrays were bound
    // outside the pipeline: everything is bound again at the next use.
    void forgetBindings();
    std::size_t programCount() const { return programs_.size(); }

  private:
    std::uint8_t stageTextures(const BoundResources& bound);

    const GlApi& gl_;
    TargetBinder target_;
    RenderStateFlush renderStates_;
    SamplerStages samplers_;
    ProgramCache programs_;
    UniformTracker uniforms_;
    VertexStream stream_;
    std::array<GLuint, D3D_TEXTURE_STAGE_COUNT> textureNames_{};
    GLuint usedProgram_ = 0;
    bool targetCurrent_ = false;
    // The previous draw's key and program: consecutive draws mostly share them.
    FixedFunctionKey lastKey_;
    GlProgram* lastProgram_ = nullptr;
};
