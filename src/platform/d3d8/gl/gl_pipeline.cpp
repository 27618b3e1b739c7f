#include "platform/d3d8/gl/gl_pipeline.h"

#include "platform/d3d8/gl/gl_attachment.h"
#include "platform/d3d8/gl/gl_texture.h"
#include "platform/d3d8/gl/render_state_flush.h"

namespace {

GlAttachment attachmentOf(IDirect3DSurface8* surface) {
    const GlAttachable* attachable = glAttachable(surface);
    return attachable ? attachable->glAttachment() : GlAttachment{};
}

// Row-vector product a × b: a point goes through a, then b.
D3DMATRIX multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX product{};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k) product.m[row][column] += a.m[row][k] * b.m[k][column];
    return product;
}

D3DMATRIX worldViewProjection(const DeviceState& state) {
    const D3DMATRIX& world = state.transforms[transformSlot(D3DTS_WORLD)];
    const D3DMATRIX& view = state.transforms[transformSlot(D3DTS_VIEW)];
    const D3DMATRIX& projection = state.transforms[transformSlot(D3DTS_PROJECTION)];
    return multiply(multiply(world, view), projection);
}

float channel(DWORD colour, int shift) {
    return float((colour >> shift) & 0xff) / 255.0f;
}

}  // namespace

GlPipeline::GlPipeline(const GlApi& gl)
    : gl_(gl), target_(gl), samplers_(gl), programs_(gl), stream_(gl) {}

void GlPipeline::bindTarget(const BoundResources& bound, const Framebuffer& backBuffer) {
    target_.bind(attachmentOf(bound.renderTarget()), attachmentOf(bound.depthStencil()),
                 backBuffer);
}

void GlPipeline::forgetBindings() {
    target_.forget();
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
    const std::uint8_t textured = stageTextures(bound);
    const FixedFunctionKey key = fixedFunctionKey(state, layout, textured);
    if (lastProgram_ == nullptr || !(key == lastKey_)) {
        lastProgram_ = &programs_.program(key);
        lastKey_ = key;
    }
    const GlProgram& program = *lastProgram_;
    if (program.name == 0) return false;
    if (program.name != usedProgram_) {
        gl_.UseProgram(program.name);
        usedProgram_ = program.name;
    }
    flushRenderStates(gl_, state);
    samplers_.bind(state, textureNames_, key.stageCount);
    sendUniforms(program, state, layout.pretransformed);
    return true;
}

void GlPipeline::sendUniforms(const GlProgram& program, const DeviceState& state,
                              bool pretransformed) {
    const D3DVIEWPORT8& viewport = state.viewport;
    gl_.Uniform4f(program.viewport, float(viewport.X), float(viewport.Y), float(viewport.Width),
                  float(viewport.Height));
    gl_.Uniform2f(program.depthRange, viewport.MinZ, viewport.MaxZ);
    const DWORD factor = state.renderStates[D3DRS_TEXTUREFACTOR];
    gl_.Uniform4f(program.textureFactor, channel(factor, 16), channel(factor, 8),
                  channel(factor, 0), channel(factor, 24));
    gl_.Uniform1f(program.alphaRef, float(state.renderStates[D3DRS_ALPHAREF] & 0xff));
    if (!pretransformed) {
        const D3DMATRIX matrix = worldViewProjection(state);
        gl_.UniformMatrix4fv(program.worldViewProjection, 1, GL_FALSE, &matrix.m[0][0]);
    }
}
