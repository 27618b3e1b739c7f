// Drawing on the GL backend under a real driver: where pre-transformed
// vertices land, texture stages, blending, alpha test, depth, and render
// targets that come out upright when shown later.
#include <gtest/gtest.h>

#include "gl_test_device.h"

namespace {

class GlDrawing : public GlTestDevice {
  protected:
    void SetUp() override {
        GlTestDevice::SetUp();
        if (direct3d == nullptr) return;
        createDevice(8, 8);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff000000, 1.0f, 0);
        untexturedDiffuse();
    }

    // Stage 0 passes the vertex colour; no culling, no depth.
    void untexturedDiffuse() {
        device->SetTexture(0, nullptr);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
    }

    DWORD pixel(const std::vector<DWORD>& pixels, int x, int y) {
        return pixels[std::size_t(y) * 8 + std::size_t(x)] & 0x00ffffff;
    }
};

TEST_F(GlDrawing, IntegerCornersCoverThePixelsDirect3DCovers) {
    ASSERT_EQ(drawQuad(2, 1, 6, 3, 0xffff0000), D3D_OK);
    const std::vector<DWORD> pixels = readBackBuffer();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 3;
            EXPECT_EQ(pixel(pixels, x, y), inside ? 0xff0000u : 0u) << x << "," << y;
        }
}

// Four distinct texels per row; drawn 1:1 with the half-pixel shift
// Direct3D needs and point sampling, every pixel is its texel.
TEST_F(GlDrawing, TexelsLandOnPixelsUprightAndModulateWithDiffuse) {
    std::vector<DWORD> texels(16);
    for (int i = 0; i < 16; ++i)
        texels[i] = 0xff000000u | DWORD(i * 16) << 16 | DWORD(255 - i * 16);
    IDirect3DTexture8* texture = makeTexture(4, 4, texels);
    ASSERT_NE(texture, nullptr);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    ASSERT_EQ(drawQuad(-0.5f, -0.5f, 3.5f, 3.5f, 0xffffffff), D3D_OK);
    ASSERT_EQ(drawQuad(3.5f, -0.5f, 7.5f, 3.5f, 0xff808080), D3D_OK);  // modulated to half
    const std::vector<DWORD> pixels = readBackBuffer();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const DWORD texel = texels[std::size_t(y) * 4 + std::size_t(x)] & 0xffffff;
            EXPECT_EQ(pixel(pixels, x, y), texel) << x << "," << y;
            EXPECT_TRUE(nearColour(pixel(pixels, x + 4, y), (texel >> 1) & 0x7f7f7f, 2))
                << std::hex << pixel(pixels, x + 4, y);
        }
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(GlDrawing, BlendsWithSourceAlphaAndSkipsTexelsTheAlphaTestRejects) {
    ASSERT_EQ(drawQuad(0, 0, 8, 8, 0xff0000ff), D3D_OK);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    ASSERT_EQ(drawQuad(0, 0, 4, 8, 0x80ff0000), D3D_OK);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device->SetRenderState(D3DRS_ALPHAREF, 0);
    ASSERT_EQ(drawQuad(4, 0, 8, 4, 0x00ff0000), D3D_OK);  // alpha 0: rejected
    ASSERT_EQ(drawQuad(4, 4, 8, 8, 0x01ff0000), D3D_OK);  // alpha 1: passes, nearly invisible
    const std::vector<DWORD> pixels = readBackBuffer();
    EXPECT_TRUE(nearColour(pixel(pixels, 1, 1), 0x80007f, 2)) << std::hex << pixel(pixels, 1, 1);
    EXPECT_EQ(pixel(pixels, 6, 1), 0x0000ffu);
    EXPECT_TRUE(nearColour(pixel(pixels, 6, 6), 0x0100fe, 1)) << std::hex << pixel(pixels, 6, 6);
}

TEST_F(GlDrawing, NearerDepthWinsOnlyWhileTheDepthTestIsOn) {
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    const ScreenVertex near[3] = {{0, 0, 0.2f, 1, 0xff00ff00, 0, 0, 0},
                                  {8, 0, 0.2f, 1, 0xff00ff00, 0, 0, 0},
                                  {0, 8, 0.2f, 1, 0xff00ff00, 0, 0, 0}};
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, near, sizeof(ScreenVertex)), D3D_OK);
    ASSERT_EQ(drawQuad(0, 0, 8, 8, 0xffff0000), D3D_OK);  // z 0.5: behind the triangle
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    ASSERT_EQ(drawQuad(0, 6, 8, 8, 0xff0000ff), D3D_OK);  // no test: drawn over
    const std::vector<DWORD> pixels = readBackBuffer();
    EXPECT_EQ(pixel(pixels, 1, 1), 0x00ff00u);
    EXPECT_EQ(pixel(pixels, 6, 4), 0xff0000u);
    EXPECT_EQ(pixel(pixels, 1, 7), 0x0000ffu);
}

TEST_F(GlDrawing, RefusesDrawsDirect3DRefuses) {
    device->SetVertexShader(0);
    const ScreenVertex vertex{};
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, &vertex, 32), D3DERR_INVALIDCALL);
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, &vertex, 16), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPRIMITIVETYPE(9), 1, &vertex, 32), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 0, &vertex, 32), D3DERR_INVALIDCALL);
    device->EndScene();
    EXPECT_EQ(drawQuad(0, 0, 1, 1, 0), D3DERR_INVALIDCALL);  // outside a scene
    device->BeginScene();
}

// What is drawn into a render-target texture is stored top row first: read
// back directly and shown by a later quad, its top stays at the top.
TEST_F(GlDrawing, RenderTargetTexturesComeOutUpright) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                    D3DPOOL_DEFAULT, &texture),
              D3D_OK);
    IDirect3DSurface8 *surface = nullptr, *backBuffer = nullptr, *depth = nullptr,
                      *ownDepth = nullptr;
    ASSERT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
    ASSERT_EQ(device->CreateDepthStencilSurface(16, 16, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, &depth),
              D3D_OK);
    device->GetRenderTarget(&backBuffer);
    device->GetDepthStencilSurface(&ownDepth);
    ASSERT_EQ(device->SetRenderTarget(surface, depth), D3D_OK);
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 4u);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff0000ff, 1.0f, 0);
    ASSERT_EQ(drawQuad(0, 0, 4, 1, 0xffff0000), D3D_OK);  // the top row red
    ASSERT_EQ(device->SetRenderTarget(backBuffer, ownDepth), D3D_OK);
    const std::vector<DWORD> stored = readSurface(surface);
    EXPECT_EQ(stored[0], 0xffff0000u);
    EXPECT_EQ(stored[15], 0xff0000ffu);

    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    ASSERT_EQ(drawQuad(-0.5f, -0.5f, 7.5f, 7.5f, 0xffffffff), D3D_OK);
    const std::vector<DWORD> shown = readBackBuffer();
    EXPECT_EQ(pixel(shown, 3, 0), 0xff0000u);
    EXPECT_EQ(pixel(shown, 3, 1), 0xff0000u);
    EXPECT_EQ(pixel(shown, 3, 2), 0x0000ffu);
    EXPECT_EQ(pixel(shown, 3, 7), 0x0000ffu);
    device->SetTexture(0, nullptr);
    for (IUnknown8* held :
         std::initializer_list<IUnknown8*>{surface, backBuffer, depth, ownDepth, texture})
        held->Release();
}

}  // namespace
