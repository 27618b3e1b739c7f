// Direct3D's per-vertex lighting on the GL backend: a small square facing
// the camera, lit, its centre pixel compared with the lighting equations.
#include <gtest/gtest.h>

#include <cmath>

#include "gl_test_device.h"

namespace {

constexpr float PI = 3.14159265f;

DWORD rgb(float r, float g, float b) {
    const auto byte = [](float v) { return DWORD(std::lround(std::fmin(v, 1.0f) * 255.0f)); };
    return byte(r) << 16 | byte(g) << 8 | byte(b);
}

D3DLIGHT8 directionalLight(D3DVECTOR direction) {
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.Direction = direction;
    return light;
}

// A light at (0, 0, -1.5): 2 from the square's centre.
D3DLIGHT8 positionalLight(D3DLIGHTTYPE type) {
    D3DLIGHT8 light{};
    light.Type = type;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.Position = {0.0f, 0.0f, -1.5f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    light.Range = 10.0f;
    light.Attenuation0 = 1.0f;
    return light;
}

// The square (side 0.02 at z 0.5, camera at the origin) fills the 8 × 8
// target; material colours come from the material.
class GlLighting : public GlTestDevice {
  protected:
    void SetUp() override {
        GlTestDevice::SetUp();
        if (direct3d == nullptr) return;
        createDevice(8, 8, false);
        device->BeginScene();
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_COLORVERTEX, FALSE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        const D3DMATRIX projection = scalingMatrix(100.0f, 100.0f, 1.0f);
        device->SetTransform(D3DTS_PROJECTION, &projection);
    }

    void setMaterial(D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient = {}, D3DCOLORVALUE emissive = {},
                     D3DCOLORVALUE specular = {}, float power = 0) {
        const D3DMATERIAL8 material{diffuse, ambient, specular, emissive, power};
        device->SetMaterial(&material);
    }

    void setLight(const D3DLIGHT8& light) {
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
    }

    DWORD litCentre() {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
        EXPECT_EQ(drawFacingSquare(0.01f, 0.5f), D3D_OK);
        return readBackBuffer()[4 * 8 + 4] & 0xffffff;
    }
};

// Without a normal only ambient and emissive light a vertex.
TEST_F(GlLighting, EmissiveAndAmbientFromTheStateAndTheLights) {
    setMaterial({}, {1.0f, 0.5f, 0.25f, 1.0f}, {0.2f, 0.4f, 0.6f, 1.0f});
    EXPECT_COLOUR(litCentre(), rgb(0.2f, 0.4f, 0.6f));  // D3DRS_AMBIENT 0: no ambient
    device->SetRenderState(D3DRS_AMBIENT, 0x00404040);
    const float global = 64.0f / 255.0f;
    EXPECT_COLOUR(litCentre(), rgb(0.2f + global, 0.4f + global / 2, 0.6f + global / 4));
    D3DLIGHT8 light = directionalLight({0.0f, 0.0f, 1.0f});
    light.Ambient = {0.5f, 0.5f, 0.5f, 1.0f};
    setLight(light);
    const float ambient = global + 0.5f;
    const DWORD lit = rgb(0.2f + ambient, 0.4f + ambient / 2, 0.6f + ambient / 4);
    setMaterial({1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 0.5f, 0.25f, 1.0f}, {0.2f, 0.4f, 0.6f, 1.0f});
    const D3DVECTOR square[4] = {
        {-0.01f, 0.01f, 0.5f}, {0.01f, 0.01f, 0.5f}, {-0.01f, -0.01f, 0.5f}, {0.01f, -0.01f, 0.5f}};
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    device->SetVertexShader(D3DFVF_XYZ);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square, sizeof(D3DVECTOR)), D3D_OK);
    EXPECT_COLOUR(readBackBuffer()[36] & 0xffffff, lit);
}

TEST_F(GlLighting, DiffuseFollowsTheAngleToADirectionalLight) {
    setMaterial({0.8f, 0.4f, 0.2f, 1.0f});
    setLight(directionalLight({0.0f, 0.0f, 1.0f}));
    EXPECT_COLOUR(litCentre(), rgb(0.8f, 0.4f, 0.2f));
    // The lit alpha is the diffuse colour's: the alpha test sees 0.25, then 0.75.
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device->SetRenderState(D3DRS_ALPHAREF, 0x80);
    setMaterial({0.8f, 0.4f, 0.2f, 0.25f});
    EXPECT_COLOUR(litCentre(), 0u);
    setMaterial({0.8f, 0.4f, 0.2f, 0.75f});
    EXPECT_COLOUR(litCentre(), rgb(0.8f, 0.4f, 0.2f));
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    setLight(directionalLight({std::sin(PI / 3), 0.0f, std::cos(PI / 3)}));  // N·L = 0.5
    EXPECT_COLOUR(litCentre(), rgb(0.4f, 0.2f, 0.1f));
    setLight(directionalLight({0.0f, 0.0f, -1.0f}));  // from behind
    EXPECT_COLOUR(litCentre(), 0u);
    // With D3DRS_COLORVERTEX the vertex colour (white here) is the diffuse colour.
    device->SetRenderState(D3DRS_COLORVERTEX, TRUE);
    setLight(directionalLight({0.0f, 0.0f, 1.0f}));
    EXPECT_COLOUR(litCentre(), 0xffffffu);
}

TEST_F(GlLighting, PointLightsAttenuateWithDistanceWithinTheirRange) {
    setMaterial({1.0f, 1.0f, 1.0f, 1.0f});
    D3DLIGHT8 light = positionalLight(D3DLIGHT_POINT);
    light.Attenuation0 = 0.0f;
    light.Attenuation1 = 1.0f;
    setLight(light);
    EXPECT_COLOUR(litCentre(), rgb(0.5f, 0.5f, 0.5f));  // 1 / (1 · 2)
    light.Attenuation0 = 1.0f;
    light.Attenuation1 = 0.0f;
    light.Attenuation2 = 0.75f;
    setLight(light);
    EXPECT_COLOUR(litCentre(), rgb(0.25f, 0.25f, 0.25f));  // 1 / (1 + 0.75 · 2²)
    light.Attenuation2 = 0.0f;
    light.Attenuation0 = 0.0f;  // no factors at all: taken as no attenuation
    setLight(light);
    EXPECT_COLOUR(litCentre(), 0xffffffu);
    light.Range = 1.9f;
    setLight(light);
    EXPECT_COLOUR(litCentre(), 0u);
}

// The square is 30° off the spot's axis.
TEST_F(GlLighting, SpotConeFallsOffBetweenThetaAndPhi) {
    setMaterial({1.0f, 1.0f, 1.0f, 1.0f});
    D3DLIGHT8 light = positionalLight(D3DLIGHT_SPOT);
    light.Direction = {std::sin(PI / 6), 0.0f, std::cos(PI / 6)};
    light.Theta = 40.0f * PI / 180;
    light.Phi = 80.0f * PI / 180;
    light.Falloff = 2.0f;
    setLight(light);
    const float linear = (std::cos(PI / 6) - std::cos(light.Phi / 2)) /
                         (std::cos(light.Theta / 2) - std::cos(light.Phi / 2));
    const float falloff = linear * linear;
    EXPECT_COLOUR(litCentre(), rgb(falloff, falloff, falloff));
    light.Theta = 70.0f * PI / 180;  // inside the inner cone
    setLight(light);
    EXPECT_COLOUR(litCentre(), 0xffffffu);
    light.Theta = 20.0f * PI / 180;
    light.Phi = 50.0f * PI / 180;  // outside the outer cone
    setLight(light);
    EXPECT_COLOUR(litCentre(), 0u);
}

// The eye looks straight at the square: with the light behind the eye the
// half vector is the normal; 60° off, it is 30° off the normal.
TEST_F(GlLighting, SpecularHighlightIsAddedOnlyWhenEnabled) {
    setMaterial({}, {}, {}, {0.5f, 0.25f, 0.5f, 1.0f}, 4.0f);
    D3DLIGHT8 light = directionalLight({0.0f, 0.0f, 1.0f});
    light.Diffuse = {};
    light.Specular = {1.0f, 1.0f, 1.0f, 1.0f};
    setLight(light);
    EXPECT_COLOUR(litCentre(), 0u);
    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    EXPECT_COLOUR(litCentre(), rgb(0.5f, 0.25f, 0.5f));
    light.Direction = {std::sin(PI / 3), 0.0f, std::cos(PI / 3)};
    setLight(light);
    const float highlight = std::pow(std::cos(PI / 6), 4.0f);
    EXPECT_COLOUR(litCentre(), rgb(0.5f * highlight, 0.25f * highlight, 0.5f * highlight));
}

}  // namespace
