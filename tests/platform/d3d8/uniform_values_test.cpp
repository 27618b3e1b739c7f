// The uniform values of the generated programs, without a GL context: lights
// in camera space, the normal matrix, the fog ramp, and which groups a state
// change renews.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3d8/gl/uniform_values.h"

namespace {

D3DMATRIX diagonal(float x, float y, float z) {
    D3DMATRIX m = identityMatrix();
    m.m[0][0] = x;
    m.m[1][1] = y;
    m.m[2][2] = z;
    return m;
}

TEST(UniformValues, LightsAreSentInCameraSpace) {
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_SPOT;
    light.Position = {1.0f, 2.0f, 3.0f};
    light.Direction = {0.0f, 0.0f, 4.0f};
    light.Range = 7.0f;
    light.Theta = 1.0f;
    light.Phi = 2.0f;
    light.Falloff = 3.0f;
    D3DMATRIX view = diagonal(2.0f, 1.0f, -1.0f);
    view.m[3][0] = 10.0f;  // translation
    Vec4 vectors[LIGHT_VECTORS];
    packLight(light, view, vectors);
    EXPECT_EQ(vectors[3], (Vec4{12.0f, 2.0f, -3.0f, 7.0f}));  // position; range
    EXPECT_EQ(vectors[4], (Vec4{0.0f, 0.0f, 1.0f, 0.0f}));    // against the direction, unit
    EXPECT_FLOAT_EQ(vectors[6][0], std::cos(0.5f));
    EXPECT_FLOAT_EQ(vectors[6][1], std::cos(1.0f));
    EXPECT_FLOAT_EQ(vectors[6][2], 3.0f);
}

// A normal (1, 1, 0) of a surface stretched twice along x becomes (0.5, 1, 0).
TEST(UniformValues, NormalsGoThroughTheInverseTranspose) {
    D3DMATRIX worldView = diagonal(2.0f, 1.0f, 1.0f);
    worldView.m[3][2] = 5.0f;  // translation does not move normals
    const std::array<float, 9> m = normalMatrix(worldView);
    const float normal[3] = {1.0f, 1.0f, 0.0f};
    float out[3];
    for (int row = 0; row < 3; ++row)
        out[row] = m[row] * normal[0] + m[3 + row] * normal[1] + m[6 + row] * normal[2];
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 1.0f);
    EXPECT_FLOAT_EQ(out[2], 0.0f);
    EXPECT_EQ(normalMatrix(diagonal(0.0f, 1.0f, 1.0f)), (std::array<float, 9>{}));
}

// FOGSTART = FOGEND makes a step rather than a division by zero.
TEST(UniformValues, EqualFogStartAndEndMakeAStep) {
    DeviceState state = defaultDeviceState(true, false, 8, 8);
    state.setRenderState(D3DRS_FOGSTART, floatBits(6.0f));
    state.setRenderState(D3DRS_FOGEND, floatBits(6.0f));
    const Vec4 fog = fogParams(state);
    EXPECT_EQ(fog[0], 6.0f);
    EXPECT_GT(fog[1], 1e20f);
}

// A new world matrix per object renews the transform only; lights, fog and
// texture matrices stay as sent.
TEST(UniformValues, OnlyTheGroupsBehindAChangeGetNewVersions) {
    DeviceState state = defaultDeviceState(true, false, 8, 8);
    UniformTracker tracker;
    tracker.update(state);
    const auto first = tracker.values().versions;
    for (std::uint32_t version : first) EXPECT_NE(version, 0u);
    EXPECT_EQ(state.dirtyGroups & std::uint32_t(StateGroup::Transforms), 0u);
    EXPECT_NE(state.dirtyGroups & std::uint32_t(StateGroup::Viewport), 0u);  // for the flush
    state.dirtyGroups = 0;  // as the render-state flush leaves it

    const D3DMATRIX world = diagonal(2.0f, 2.0f, 2.0f);
    state.setTransform(D3DTS_WORLD, &world);
    state.setTransform(D3DTS_VIEW, &state.transforms[0]);  // same view again
    tracker.update(state);
    auto now = tracker.values().versions;
    EXPECT_NE(now[UNIFORMS_TRANSFORM], first[UNIFORMS_TRANSFORM]);
    for (unsigned group : {UNIFORMS_LIGHTS, UNIFORMS_FOG, UNIFORMS_TEXTURE_MATRICES,
                           UNIFORMS_MATERIAL, UNIFORMS_COMBINER})
        EXPECT_EQ(now[group], first[group]) << group;

    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Position = {1, 2, 3};
    state.setLight(0, &light);
    state.enableLight(0, TRUE);
    tracker.update(state);
    now = tracker.values().versions;
    const D3DMATRIX view = diagonal(1.0f, 1.0f, -1.0f);
    state.setTransform(D3DTS_VIEW, &view);
    state.setRenderState(D3DRS_AMBIENT, 0x202020);
    tracker.update(state);
    EXPECT_NE(tracker.values().versions[UNIFORMS_LIGHTS], now[UNIFORMS_LIGHTS]);
    EXPECT_NE(tracker.values().versions[UNIFORMS_MATERIAL], now[UNIFORMS_MATERIAL]);
    EXPECT_EQ(tracker.values().versions[UNIFORMS_FOG], now[UNIFORMS_FOG]);
    now = tracker.values().versions;
    tracker.update(state);  // nothing changed
    EXPECT_EQ(tracker.values().versions, now);

    // Set and set back before the next draw: nothing to send again.
    state.setRenderState(D3DRS_ALPHAREF, 0x80);
    state.setRenderState(D3DRS_ALPHAREF, 0);
    state.setRenderState(D3DRS_FOGCOLOR, 0xff0000);
    state.setRenderState(D3DRS_FOGCOLOR, 0);
    tracker.update(state);
    EXPECT_EQ(tracker.values().versions, now);
}

}  // namespace
