#include "platform/d3d8/gl/uniform_values.h"

#include <cmath>
#include <cstring>

#include "platform/d3d8/gl/matrix_math.h"

namespace {

constexpr int VIEW_SLOT = 0, PROJECTION_SLOT = 1, FIRST_TEXTURE_SLOT = 2, WORLD_SLOT = 10;

// The groups the render-state flush sends to GL; every other mark is
// consumed here.
constexpr std::uint32_t FLUSHED_GROUPS =
    std::uint32_t(StateGroup::Blend) | std::uint32_t(StateGroup::DepthTest) |
    std::uint32_t(StateGroup::Stencil) | std::uint32_t(StateGroup::Rasterizer) |
    std::uint32_t(StateGroup::ColorWrite) | std::uint32_t(StateGroup::Viewport);

// Beyond this the linear fog ramp is a step at FOGEND.
constexpr float STEP_FOG_SCALE = 1e30f;

Vec4 colourValue(const D3DCOLORVALUE& colour) {
    return {colour.r, colour.g, colour.b, colour.a};
}

bool sameMatrix(const D3DMATRIX& a, const D3DMATRIX& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Stores the value; true when it differs from the one it replaces.
template <class Value>
bool store(Value& kept, const Value& value) {
    if (std::memcmp(&kept, &value, sizeof kept) == 0) return false;
    kept = value;
    return true;
}

void packLights(const DeviceState& state,
                std::array<Vec4, D3D_MAX_ACTIVE_LIGHTS * LIGHT_VECTORS>& out) {
    const D3DMATRIX& view = state.transforms[VIEW_SLOT];
    Vec4* vectors = out.data();
    for (const DWORD* index = state.lights.activeBegin(); index != state.lights.activeEnd();
         ++index, vectors += LIGHT_VECTORS)
        packLight(state.lights.light(*index), view, vectors);
}

}  // namespace

void UniformTracker::update(DeviceState& state) {
    const std::uint32_t dirty = state.dirtyGroups;
    if ((dirty & ~FLUSHED_GROUPS) == 0 && (dirty & std::uint32_t(StateGroup::Viewport)) == 0)
        return;
    const auto has = [dirty](StateGroup group) { return (dirty & std::uint32_t(group)) != 0; };
    const auto& rs = state.renderStates;
    if (has(StateGroup::Viewport)) {
        const D3DVIEWPORT8& v = state.viewport;
        const bool moved =
            store(values_.viewport, {float(v.X), float(v.Y), float(v.Width), float(v.Height)});
        if (store(values_.depthRange, {v.MinZ, v.MaxZ}) || moved) bump(UNIFORMS_VIEWPORT);
    }
    if (has(StateGroup::Transforms)) updateTransforms(state);
    if (has(StateGroup::StageCombiner) || has(StateGroup::AlphaTest)) {
        const bool factor = store(values_.textureFactor, colourVector(rs[D3DRS_TEXTUREFACTOR]));
        if (store(values_.alphaRef, float(rs[D3DRS_ALPHAREF] & 0xff)) || factor)
            bump(UNIFORMS_COMBINER);
    }
    if (has(StateGroup::Fog)) {
        const bool colour = store(values_.fogColour, colourVector(rs[D3DRS_FOGCOLOR]));
        if (store(values_.fogParams, fogParams(state)) || colour) bump(UNIFORMS_FOG);
    }
    if (has(StateGroup::Lighting) || has(StateGroup::Material)) {
        std::array<Vec4, MATERIAL_VECTORS> material;
        packMaterial(state.material, rs[D3DRS_AMBIENT], material.data());
        if (store(values_.material, material)) bump(UNIFORMS_MATERIAL);
    }
    if (has(StateGroup::Lights)) updateLights(state);
    state.dirtyGroups &= FLUSHED_GROUPS;
}

// Only what a changed matrix feeds is worked out again: per-object world
// matrices leave lights, fog and texture matrices alone.
void UniformTracker::updateTransforms(const DeviceState& state) {
    const auto& t = state.transforms;
    const auto changed = [&](int slot) {
        return !transformsKnown_ || !sameMatrix(t[slot], transforms_[slot]);
    };
    const bool view = changed(VIEW_SLOT), projection = changed(PROJECTION_SLOT);
    if (view || projection || changed(WORLD_SLOT)) {
        values_.worldView = multiply(t[WORLD_SLOT], t[VIEW_SLOT]);
        values_.worldViewProjection = multiply(values_.worldView, t[PROJECTION_SLOT]);
        values_.normalMatrix = normalMatrix(values_.worldView);
        bump(UNIFORMS_TRANSFORM);
    }
    if (view) updateLights(state);
    if (projection && store(values_.fogParams, fogParams(state))) bump(UNIFORMS_FOG);
    bool textures = false;
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage) {
        if (!changed(FIRST_TEXTURE_SLOT + int(stage))) continue;
        values_.textureMatrices[stage] = t[FIRST_TEXTURE_SLOT + stage];
        textures = true;
    }
    if (textures) bump(UNIFORMS_TEXTURE_MATRICES);
    transforms_ = t;
    transformsKnown_ = true;
}

void UniformTracker::updateLights(const DeviceState& state) {
    std::array<Vec4, D3D_MAX_ACTIVE_LIGHTS * LIGHT_VECTORS> lights{};
    packLights(state, lights);
    if (store(values_.lights, lights)) bump(UNIFORMS_LIGHTS);
}

void packLight(const D3DLIGHT8& light, const D3DMATRIX& view, Vec4* vectors) {
    vectors[0] = colourValue(light.Diffuse);
    vectors[1] = colourValue(light.Specular);
    vectors[2] = colourValue(light.Ambient);
    const D3DVECTOR position = transformPoint(light.Position, view);
    vectors[3] = {position.x, position.y, position.z, light.Range};
    const D3DVECTOR direction = normalized(transformDirection(light.Direction, view));
    vectors[4] = {-direction.x, -direction.y, -direction.z, 0.0f};
    vectors[5] = {light.Attenuation0, light.Attenuation1, light.Attenuation2, 0.0f};
    vectors[6] = {std::cos(light.Theta / 2.0f), std::cos(light.Phi / 2.0f), light.Falloff, 0.0f};
}

void packMaterial(const D3DMATERIAL8& material, DWORD ambient, Vec4* vectors) {
    vectors[0] = colourValue(material.Diffuse);
    vectors[1] = colourValue(material.Ambient);
    vectors[2] = colourValue(material.Specular);
    vectors[3] = colourValue(material.Emissive);
    vectors[4] = colourVector(ambient);
    vectors[5] = {material.Power, 0.0f, 0.0f, 0.0f};
}

std::array<float, 9> normalMatrix(const D3DMATRIX& worldView) {
    std::array<float, 9> columns{};
    D3DMATRIX inverse;
    if (!invert(worldView, inverse)) return columns;
    // n × (inverse)ᵀ is the column vector inverse × n: the GLSL matrix is
    // the inverse itself, stored column by column.
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) columns[column * 3 + row] = inverse.m[row][column];
    return columns;
}

// FOGSTART equal to FOGEND makes the linear ramp a step at FOGEND.
Vec4 fogParams(const DeviceState& state) {
    const auto& rs = state.renderStates;
    const float start = floatFromBits(rs[D3DRS_FOGSTART]);
    const float end = floatFromBits(rs[D3DRS_FOGEND]);
    const float scale = end != start ? 1.0f / (end - start) : STEP_FOG_SCALE;
    const bool w = perspectiveProjection(state.transforms[PROJECTION_SLOT]);
    return {end, scale, floatFromBits(rs[D3DRS_FOGDENSITY]), w ? 1.0f : 0.0f};
}

bool perspectiveProjection(const D3DMATRIX& projection) {
    return projection.m[2][3] != 0.0f;
}

Vec4 colourVector(D3DCOLOR colour) {
    const auto channel = [colour](int shift) { return float((colour >> shift) & 0xff) / 255.0f; };
    return {channel(16), channel(8), channel(0), channel(24)};
}
