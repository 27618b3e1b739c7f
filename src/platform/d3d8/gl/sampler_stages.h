// The texture units of the stages: one GL sampler object per stage carries
// the stage's filter, addressing, border and level-of-detail states, and the
// stage's texture is bound to the unit of its own number.
#pragma once

#include <array>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/gl/gl_api.h"

class SamplerStages {
  public:
    explicit SamplerStages(const GlApi& gl);
    ~SamplerStages();
    SamplerStages(const SamplerStages&) = delete;
    SamplerStages& operator=(const SamplerStages&) = delete;

    // Binds the textures of the first `stages` stages (GL name 0: none) and
    // sends the sampler states marked dirty.
    void bind(DeviceState& state, const std::array<GLuint, D3D_TEXTURE_STAGE_COUNT>& textures,
              unsigned stages);
    // After textures were bound elsewhere: the next bind binds again.
    void forgetBindings() { boundTextures_.fill(~0u); }

  private:
    void updateSampler(GLuint sampler, const std::array<DWORD, D3D_TEXTURESTAGESTATE_COUNT>& stage);

    const GlApi& gl_;
    std::array<GLuint, D3D_TEXTURE_STAGE_COUNT> samplers_{};
    std::array<GLuint, D3D_TEXTURE_STAGE_COUNT> boundTextures_{};
};
