#include "platform/d3d8/gl/gl_pipeline.h"

#include "platform/d3d8/gl/gl_attachment.h"
#include "platform/d3d8/gl/gl_texture.h"

namespace {

GlAttachment attachmentOf(IDirect3DSurface8* surface) {
    const GlAttachable* attachable = glAttachable(surface);
    return attachable ? attachable->glAttachment() : GlAttachment{};
}

}  // namespace

// Flat shading takes each triangle's first vertex, as Direct3D does.
GlPipeline::GlPipeline(const GlApi& gl)
    : gl_(gl), target_(gl), samplers_(gl), programs_(gl), stream_(gl) {
    gl_.ProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
}

void GlPipeline::bindTarget(const BoundResources& bound, const Framebuffer& backBuffer) {
    if (targetCurrent_) return;
    target_.bind(attachmentOf(bound.renderTarget()), attachmentOf(bound.depthStencil()),
                 backBuffer);
    targetCurrent_ = true;
}

void GlPipeline::forgetTarget() {
    target_.forget();
    targetCurrent_ = false;
}

void GlPipeline::forgetBindings() {
    forgetTarget();
    samplers_.forgetBindings();
    stream_.forget();
    usedProgram_ = 0;
}

// The GL names of the stages' textures; bit s set when stage s has one.
std::uint8_t GlPipeline::stageTextures(const BoundResources& bound) {
    std::uint8_t textured = 0;
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage) {
        const auto* texture = dynamic_cast<const GlTexture*>(bound.texture(stage));
        textureNames_[stage] = texture ? texture->glName() : 0;
        if (texture) textured |= std::uint8_t(1u << stage);
    }
    return textured;
}

bool GlPipeline::prepareDraw(DeviceState& state, const BoundResources& bound,
                             const VertexLayout& layout) {
    uniforms_.update(state);
    const std::uint8_t textured = stageTextures(bound);
    const FixedFunctionKey key = fixedFunctionKey(state, layout, textured);
    if (lastProgram_ == nullptr || !(key == lastKey_)) {
        lastProgram_ = &programs_.program(key);
        lastKey_ = key;
    }
    GlProgram& program = *lastProgram_;
    if (program.name == 0) return false;
    if (program.name != usedProgram_) {
        gl_.UseProgram(program.name);
        usedProgram_ = program.name;
    }
    renderStates_.flush(gl_, state);
    samplers_.bind(state, textureNames_, key.stageCount);
    sendStaleUniforms(gl_, program, uniforms_.values());
    return true;
}
