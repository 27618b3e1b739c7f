// The generated fixed-function programs on a real GL driver: every stage
// operation and argument modifier makes a program GL accepts, and the
// operations compute what Direct3D computes.
#include <gtest/gtest.h>

#include "gl_test_device.h"
#include "platform/d3d8/gl/gl_device.h"

namespace {

class GlStageOperations : public GlTestDevice {
  protected:
    void SetUp() override {
        GlTestDevice::SetUp();
        if (direct3d == nullptr) return;
        createDevice(4, 4, false);
        device->BeginScene();
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        // Texel (0x40, 0x80, 0xc0) with alpha 0x80 on every pixel.
        texture = makeTexture(1, 1, {0x804080c0});
        device->SetTexture(0, texture);
        device->SetRenderState(D3DRS_TEXTUREFACTOR, 0x20102030);
    }
    void TearDown() override {
        if (device) {
            device->SetTexture(0, nullptr);
            texture->Release();
        }
        GlTestDevice::TearDown();
    }

    // The colour a full-target quad of `diffuse` gets from stage 0.
    DWORD shade(DWORD op, DWORD arg1, DWORD arg2, DWORD diffuse = 0xff204060) {
        device->SetTextureStageState(0, D3DTSS_COLOROP, op);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, arg1);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, arg2);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
        EXPECT_EQ(drawQuad(0, 0, 4, 4, diffuse), D3D_OK);
        return readBackBuffer()[5] & 0xffffff;
    }

    IDirect3DTexture8* texture = nullptr;
};

TEST_F(GlStageOperations, EveryOperationAndModifierCompiles) {
    const DWORD modifiers[] = {0, D3DTA_COMPLEMENT, D3DTA_ALPHAREPLICATE,
                               D3DTA_COMPLEMENT | D3DTA_ALPHAREPLICATE};
    for (DWORD op = D3DTOP_SELECTARG1; op <= D3DTOP_LERP; ++op)
        for (DWORD selector = D3DTA_DIFFUSE; selector <= D3DTA_TEMP; ++selector) {
            const DWORD modifier = modifiers[(op + selector) % 4];
            device->SetTextureStageState(0, D3DTSS_COLOROP, op);
            device->SetTextureStageState(0, D3DTSS_ALPHAOP, op);
            device->SetTextureStageState(0, D3DTSS_COLORARG1, selector | modifier);
            device->SetTextureStageState(0, D3DTSS_ALPHAARG2, selector);
            device->SetTextureStageState(0, D3DTSS_COLORARG0, D3DTA_TFACTOR);
            device->SetTextureStageState(0, D3DTSS_RESULTARG, op % 2 ? D3DTA_TEMP : D3DTA_CURRENT);
            EXPECT_EQ(drawQuad(0, 0, 4, 4, 0xffffffff), D3D_OK)
                << "op " << op << " argument " << selector;
        }
    EXPECT_GT(static_cast<GlDevice*>(device)->programCount(), 20u);
}

TEST_F(GlStageOperations, OperationsComputeAsDirect3DDoes) {
    // texel 40 80 c0, diffuse 20 40 60, factor 10 20 30
    EXPECT_TRUE(nearColour(shade(D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE), 0x4080c0, 1));
    EXPECT_TRUE(nearColour(shade(D3DTOP_ADD, D3DTA_TEXTURE, D3DTA_DIFFUSE), 0x60c0ff, 1));
    EXPECT_TRUE(nearColour(shade(D3DTOP_SUBTRACT, D3DTA_TEXTURE, D3DTA_DIFFUSE), 0x204060, 1));
    EXPECT_TRUE(nearColour(shade(D3DTOP_MODULATE2X, D3DTA_TEXTURE, D3DTA_DIFFUSE), 0x104090, 2));
    EXPECT_TRUE(
        nearColour(shade(D3DTOP_SELECTARG1, D3DTA_TEXTURE | D3DTA_COMPLEMENT, 0), 0xbf7f3f, 1));
    EXPECT_TRUE(
        nearColour(shade(D3DTOP_SELECTARG1, D3DTA_TEXTURE | D3DTA_ALPHAREPLICATE, 0), 0x808080, 1));
    EXPECT_TRUE(nearColour(shade(D3DTOP_SELECTARG2, 0, D3DTA_TFACTOR), 0x102030, 1));
    // Blend by the texture's alpha (0x80): halfway from diffuse to texel.
    EXPECT_TRUE(
        nearColour(shade(D3DTOP_BLENDTEXTUREALPHA, D3DTA_TEXTURE, D3DTA_DIFFUSE), 0x306090, 2));
    // Stage 0 disabled: the diffuse colour alone.
    EXPECT_TRUE(nearColour(shade(D3DTOP_DISABLE, D3DTA_TEXTURE, D3DTA_DIFFUSE), 0x204060, 1));
}

// Stage 1 carries on from stage 0's result (CURRENT) until a disabled stage.
TEST_F(GlStageOperations, StagesChainThroughTheCurrentColour) {
    device->SetTexture(1, nullptr);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_TFACTOR);
    EXPECT_TRUE(nearColour(shade(D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE), 0x041024, 2));
    // Without a texture, a stage whose first argument is the texture passes
    // the current colour on; as another argument the texture reads white.
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    EXPECT_TRUE(nearColour(shade(D3DTOP_SELECTARG1, D3DTA_DIFFUSE, D3DTA_DIFFUSE), 0x204060, 1));
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_TEXTURE);
    EXPECT_TRUE(nearColour(shade(D3DTOP_SELECTARG1, D3DTA_DIFFUSE, D3DTA_DIFFUSE), 0xffffff, 0));
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

// Specular colour is added after the stages only while the state says so.
TEST_F(GlStageOperations, SpecularIsAddedOnlyWhenEnabled) {
    const ScreenVertex quad[4] = {{0, 0, 0.5f, 1, 0xff202020, 0xff101010, 0, 0},
                                  {4, 0, 0.5f, 1, 0xff202020, 0xff101010, 1, 0},
                                  {0, 4, 0.5f, 1, 0xff202020, 0xff101010, 0, 1},
                                  {4, 4, 0.5f, 1, 0xff202020, 0xff101010, 1, 1}};
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
    EXPECT_TRUE(nearColour(readBackBuffer()[5], 0x202020, 1));
    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
    EXPECT_TRUE(nearColour(readBackBuffer()[5], 0x303030, 1));
}

}  // namespace
