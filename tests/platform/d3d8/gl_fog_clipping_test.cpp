// Fog, near and far clipping and flat shading on the GL backend.
#include <gtest/gtest.h>

#include <cmath>

#include "gl_test_device.h"
#include "platform/d3d8/device_state.h"

namespace {

constexpr DWORD RED = 0xffff0000, FOG_BLUE = 0x000000ff;

// A red square at eye depth 5 filling the 8 × 8 target through a 90°
// perspective (near 1, far 100): w is 5 at every pixel.
class GlFog : public GlTestDevice {
  protected:
    void SetUp() override {
        GlTestDevice::SetUp();
        if (direct3d == nullptr) return;
        createDevice(8, 8, false);
        device->BeginScene();
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        setProjection(perspectiveMatrix(1.0f, 100.0f));
        device->SetRenderState(D3DRS_FOGENABLE, TRUE);
        device->SetRenderState(D3DRS_FOGCOLOR, FOG_BLUE);
        device->SetRenderState(D3DRS_FOGSTART, floatBits(0.0f));
        device->SetRenderState(D3DRS_FOGEND, floatBits(10.0f));
    }

    void setProjection(const D3DMATRIX& projection) {
        device->SetTransform(D3DTS_PROJECTION, &projection);
    }

    // The centre pixel after drawing the square (side 2·half at depth z).
    DWORD centre(float half = 5.0f, float z = 5.0f, DWORD colour = RED) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
        EXPECT_EQ(drawFacingSquare(half, z, {0.0f, 0.0f, -1.0f}, colour), D3D_OK);
        return readBackBuffer()[4 * 8 + 4] & 0xffffff;
    }

    // f · red + (1 − f) · blue.
    static DWORD fogged(float f) {
        const DWORD red = DWORD(f * 255.0f + 0.5f), blue = DWORD((1.0f - f) * 255.0f + 0.5f);
        return red << 16 | blue;
    }
};

TEST_F(GlFog, TableFogReadsWOfAPerspectiveAndZOfAnAffineProjection) {
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);
    EXPECT_COLOUR(centre(), fogged(0.5f));  // (10 − 5) / (10 − 0)
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
    device->SetRenderState(D3DRS_FOGDENSITY, floatBits(0.2f));
    EXPECT_COLOUR(centre(), fogged(std::exp(-1.0f)));
    // Affine: depth z in 0..1 and the fog range in the same units.
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);
    device->SetRenderState(D3DRS_FOGEND, floatBits(1.0f));
    setProjection(scalingMatrix(1.0f, 1.0f, 1.0f));
    EXPECT_COLOUR(centre(1.0f, 0.25f), fogged(0.75f));
}

// The square's corners are sqrt(5² + 5² + 5²) from the eye but 5 deep.
TEST_F(GlFog, VertexFogByDepthOrByRange) {
    device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
    EXPECT_COLOUR(centre(), fogged(0.5f));
    device->SetRenderState(D3DRS_RANGEFOGENABLE, TRUE);
    EXPECT_COLOUR(centre(), fogged((10.0f - std::sqrt(75.0f)) / 10.0f));
    device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_EXP2);
    device->SetRenderState(D3DRS_RANGEFOGENABLE, FALSE);
    device->SetRenderState(D3DRS_FOGDENSITY, floatBits(0.1f));
    EXPECT_COLOUR(centre(), fogged(std::exp(-0.25f)));
}

// With neither mode, the specular alpha is the factor; alpha is not fogged.
TEST_F(GlFog, WithoutAModeTheSpecularAlphaIsTheFactor) {
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_EQUAL);
    device->SetRenderState(D3DRS_ALPHAREF, 0xff);
    const ScreenVertex quad[4] = {{0, 0, 0.5f, 1, RED, 0x40000000, 0, 0},
                                  {8, 0, 0.5f, 1, RED, 0x40000000, 0, 0},
                                  {0, 8, 0.5f, 1, RED, 0x40000000, 0, 0},
                                  {8, 8, 0.5f, 1, RED, 0x40000000, 0, 0}};
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex)), D3D_OK);
    EXPECT_COLOUR(readBackBuffer()[36] & 0xffffff, fogged(64.0f / 255.0f));
}

// Direct3D draws only what lies between the near and far planes (clip-space
// z from 0 to w), whatever depth range the viewport maps to.
TEST_F(GlFog, NothingNearerThanNearOrFartherThanFarIsDrawn) {
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    setProjection(perspectiveMatrix(1.0f, 10.0f));
    for (float maxZ : {1.0f, 0.5f}) {
        D3DVIEWPORT8 viewport{0, 0, 8, 8, 0.0f, maxZ};
        device->SetViewport(&viewport);
        EXPECT_EQ(centre(0.8f, 0.9f), 0u);    // nearer than the near plane: z < 0 < w
        EXPECT_EQ(centre(18.0f, 20.0f), 0u);  // farther than the far plane
        EXPECT_EQ(centre(5.0f, 5.0f), 0xff0000u);
        EXPECT_EQ(centre(9.5f, 9.9f), 0xff0000u);
    }
}

// Flat shading colours a triangle as its first vertex.
TEST_F(GlFog, FlatShadingTakesTheFirstVertex) {
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    const ScreenVertex triangle[3] = {{0, 0, 0.5f, 1, 0xffff0000, 0, 0, 0},
                                      {8, 0, 0.5f, 1, 0xff00ff00, 0, 0, 0},
                                      {0, 8, 0.5f, 1, 0xff0000ff, 0, 0, 0}};
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ScreenVertex));
    const DWORD gouraud = readBackBuffer()[1 * 8 + 5] & 0xffffff;
    EXPECT_GT(channelOf(gouraud, 8), 0x80);  // mostly the green corner's
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ScreenVertex));
    EXPECT_EQ(readBackBuffer()[1 * 8 + 5] & 0xffffff, 0xff0000u);
}

}  // namespace
