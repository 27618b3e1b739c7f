// The values the generated programs read as uniforms, worked out from the
// device state only when the state behind them changed. They come in
// groups; each group has a version that changes with it, so a program is
// sent a group only when it has not had the group's latest version.
#pragma once

#include <array>
#include <cstdint>

#include "platform/d3d8/device_state.h"

enum UniformGroup : unsigned {
    UNIFORMS_VIEWPORT,          // uViewport, uDepthRange
    UNIFORMS_TRANSFORM,         // uWorldViewProjection, uWorldView, uNormalMatrix
    UNIFORMS_TEXTURE_MATRICES,  // uTextureMatrix0..7
    UNIFORMS_COMBINER,          // uTextureFactor, uAlphaRef
    UNIFORMS_FOG,               // uFogColour, uFogParams
    UNIFORMS_MATERIAL,          // uMaterial
    UNIFORMS_LIGHTS,            // uLights
    UNIFORM_GROUP_COUNT
};
static_assert(UNIFORM_GROUP_COUNT == 7, "UniformValues::versions starts one version per group");

// uLights holds LIGHT_VECTORS vec4s per light on, in index order:
//   diffuse, specular, ambient colours; camera-space position (w: Range);
//   the camera-space direction towards a directional light, or against a
//   spot light's direction (normalised); attenuation 0, 1, 2; spot cone
//   cos(Theta / 2), cos(Phi / 2), Falloff.
constexpr int LIGHT_VECTORS = 7;
// uMaterial: diffuse, ambient, specular, emissive, global ambient
// (D3DRS_AMBIENT), and Power in x.
constexpr int MATERIAL_VECTORS = 6;

using Vec4 = std::array<float, 4>;

struct UniformValues {
    // 1 to start with: a new program (which has none, 0) is sent every group.
    std::array<std::uint32_t, UNIFORM_GROUP_COUNT> versions{1, 1, 1, 1, 1, 1, 1};
    Vec4 viewport{};  // x, y, width, height in target pixels
    std::array<float, 2> depthRange{};
    D3DMATRIX worldViewProjection{};
    D3DMATRIX worldView{};
    // Normals go to camera space through the world-view matrix's inverse
    // transpose; its 3 × 3 part, rows first, as the GLSL mat3 that does it.
    std::array<float, 9> normalMatrix{};
    std::array<D3DMATRIX, D3D_TEXTURE_STAGE_COUNT> textureMatrices{};
    Vec4 textureFactor{};
    float alphaRef = 0.0f;  // 0..255
    Vec4 fogColour{};
    // FOGEND, 1 / (FOGEND − FOGSTART), FOGDENSITY, and 1 when table fog
    // reads the eye distance w (a perspective projection), 0 when it reads z.
    Vec4 fogParams{};
    std::array<Vec4, MATERIAL_VECTORS> material{};
    std::array<Vec4, D3D_MAX_ACTIVE_LIGHTS * LIGHT_VECTORS> lights{};
};

// Keeps the values up to date with a device's state.
class UniformTracker {
  public:
    // Works the groups whose state is marked dirty out again, gives those
    // whose values changed new versions, and clears the marks of the groups that reach GL only
    // as uniforms (the viewport's mark stays for the render-state flush).
    void update(DeviceState& state);
    const UniformValues& values() const { return values_; }

  private:
    void bump(UniformGroup group) { values_.versions[group] = ++lastVersion_; }
    void updateTransforms(const DeviceState& state);
    void updateLights(const DeviceState& state);

    UniformValues values_;
    std::uint32_t lastVersion_ = 1;
    std::array<D3DMATRIX, TRANSFORM_SLOT_COUNT> transforms_{};  // as last worked out
    bool transformsKnown_ = false;
};

// ---- the values themselves, from the state they come from ----

// A light's LIGHT_VECTORS vectors, in camera space of `view`.
void packLight(const D3DLIGHT8& light, const D3DMATRIX& view, Vec4* vectors);
void packMaterial(const D3DMATERIAL8& material, DWORD ambient, Vec4* vectors);
// The GLSL mat3 taking normals to camera space (zero when world-view has no inverse).
std::array<float, 9> normalMatrix(const D3DMATRIX& worldView);
Vec4 fogParams(const DeviceState& state);
// Direct3D treats a projection with a nonzero _34 as a perspective one,
// whose table fog reads w.
bool perspectiveProjection(const D3DMATRIX& projection);
Vec4 colourVector(D3DCOLOR colour);
