// What decides the generated program's code, without a GL context: material
// colour sources, lights, and which states reach the key.
#include <gtest/gtest.h>

#include "platform/d3d8/gl/fixed_function_key.h"

namespace {

constexpr DWORD LIT_FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

TEST(FixedFunctionKey, VertexColoursReplaceMaterialOnlyWhenPresentAndAllowed) {
    EXPECT_EQ(colourSource(D3DMCS_COLOR1, true, true, false), ColourSource::VertexDiffuse);
    EXPECT_EQ(colourSource(D3DMCS_COLOR2, true, true, true), ColourSource::VertexSpecular);
    EXPECT_EQ(colourSource(D3DMCS_COLOR2, true, true, false), ColourSource::Material);
    EXPECT_EQ(colourSource(D3DMCS_COLOR1, false, true, true), ColourSource::Material);
    EXPECT_EQ(colourSource(D3DMCS_MATERIAL, true, true, true), ColourSource::Material);
    EXPECT_EQ(colourSource(77, true, true, true), ColourSource::Material);
}

TEST(FixedFunctionKey, LightsEnterInIndexOrderOnlyForTransformedLitVertices) {
    DeviceState state = defaultDeviceState(true, false, 8, 8);
    D3DLIGHT8 spot{};
    spot.Type = D3DLIGHT_SPOT;
    spot.Range = 10.0f;
    state.setLight(5, &spot);
    state.enableLight(5, TRUE);
    state.enableLight(2, TRUE);  // the default directional light
    const FixedFunctionKey lit = fixedFunctionKey(state, vertexLayout(LIT_FVF), 0);
    EXPECT_EQ(lit.lighting.enabled, 1);
    EXPECT_EQ(lit.lighting.lightCount, 2);
    EXPECT_EQ(lit.lighting.lightTypes[0], D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(lit.lighting.lightTypes[1], D3DLIGHT_SPOT);
    EXPECT_EQ(lit.lighting.diffuse, ColourSource::VertexDiffuse);  // COLOR1 by default
    const VertexLayout screen = vertexLayout(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    EXPECT_EQ(fixedFunctionKey(state, screen, 0).lighting, FixedFunctionLighting{});
    state.setRenderState(D3DRS_LIGHTING, FALSE);
    EXPECT_EQ(fixedFunctionKey(state, vertexLayout(LIT_FVF), 0).lighting, FixedFunctionLighting{});
}

// States that change nothing drawn must not split programs.
TEST(FixedFunctionKey, UnusedStatesLeaveTheKeyAlone) {
    DeviceState state = defaultDeviceState(true, false, 8, 8);
    state.setRenderState(D3DRS_LIGHTING, FALSE);
    const VertexLayout layout = vertexLayout(LIT_FVF);
    const FixedFunctionKey before = fixedFunctionKey(state, layout, 1);
    state.setRenderState(D3DRS_LOCALVIEWER, FALSE);  // no specular lighting, no reflection
    state.setRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    state.setStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEPOSITION);  // disabled stage
    state.setRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);                       // fog off
    EXPECT_EQ(fixedFunctionKey(state, layout, 1), before);
    state.setStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
    const FixedFunctionKey reflecting = fixedFunctionKey(state, layout, 1);
    EXPECT_EQ(reflecting.stages[0].texGen, TexGen::CameraReflection);
    EXPECT_EQ(reflecting.localViewer, 0);
    EXPECT_EQ(reflecting.normalizeNormals, 1);
    // Screen-space vertices have no camera space to generate coordinates in.
    const VertexLayout screen = vertexLayout(D3DFVF_XYZRHW | D3DFVF_TEX1);
    EXPECT_EQ(fixedFunctionKey(state, screen, 1).stages[0].texGen, TexGen::PassThrough);
}

}  // namespace
