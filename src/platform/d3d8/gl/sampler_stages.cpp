#include "platform/d3d8/gl/sampler_stages.h"

#include "platform/d3d8/gl/gl_translate.h"

SamplerStages::SamplerStages(const GlApi& gl) : gl_(gl) {
    gl_.GenSamplers(GLsizei(samplers_.size()), samplers_.data());
    for (GLuint unit = 0; unit < samplers_.size(); ++unit) gl_.BindSampler(unit, samplers_[unit]);
    forgetBindings();
}

SamplerStages::~SamplerStages() {
    gl_.DeleteSamplers(GLsizei(samplers_.size()), samplers_.data());
}

void SamplerStages::bind(DeviceState& state,
                         const std::array<GLuint, D3D_TEXTURE_STAGE_COUNT>& textures,
                         unsigned stages) {
    for (unsigned stage = 0; stage < stages; ++stage) {
        if (state.dirtySamplers & (1u << stage)) {
            updateSampler(samplers_[stage], state.stageStates[stage]);
            state.dirtySamplers &= std::uint8_t(~(1u << stage));
        }
        if (boundTextures_[stage] == textures[stage]) continue;
        gl_.ActiveTexture(GL_TEXTURE0 + stage);
        gl_.BindTexture(GL_TEXTURE_2D, textures[stage]);
        boundTextures_[stage] = textures[stage];
    }
}

void SamplerStages::updateSampler(GLuint sampler,
                                  const std::array<DWORD, D3D_TEXTURESTAGESTATE_COUNT>& stage) {
    gl_.SamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER,
                          GLint(glMinFilter(stage[D3DTSS_MINFILTER], stage[D3DTSS_MIPFILTER])));
    gl_.SamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER,
                          GLint(glMagFilter(stage[D3DTSS_MAGFILTER])));
    gl_.SamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GLint(glWrapMode(stage[D3DTSS_ADDRESSU])));
    gl_.SamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GLint(glWrapMode(stage[D3DTSS_ADDRESSV])));
    gl_.SamplerParameteri(sampler, GL_TEXTURE_WRAP_R, GLint(glWrapMode(stage[D3DTSS_ADDRESSW])));
    const DWORD border = stage[D3DTSS_BORDERCOLOR];
    const float colour[4] = {float((border >> 16) & 0xff) / 255.0f,
                             float((border >> 8) & 0xff) / 255.0f, float(border & 0xff) / 255.0f,
                             float(border >> 24) / 255.0f};
    gl_.SamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, colour);
    gl_.SamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, floatFromBits(stage[D3DTSS_MIPMAPLODBIAS]));
    // D3DTSS_MAXMIPLEVEL names the largest level used: GL's smallest level of detail.
    gl_.SamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, float(stage[D3DTSS_MAXMIPLEVEL]));
}
