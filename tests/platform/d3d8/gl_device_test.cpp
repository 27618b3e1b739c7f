// The GL backend on a real GL driver (SDL's offscreen driver with Mesa in the
// test environment): clearing, viewports, orientation, reset, read-back.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace {

D3DPRESENT_PARAMETERS windowedParams(UINT width, UINT height, bool depth = true) {
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = width;
    params.BackBufferHeight = height;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = depth ? TRUE : FALSE;
    params.AutoDepthStencilFormat = D3DFMT_D24S8;
    return params;
}

class GlDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        direct3d = Direct3DCreate8(D3D_SDK_VERSION);
        if (direct3d == nullptr) GTEST_SKIP() << "no video driver";
    }

    void TearDown() override {
        if (device) {
            EXPECT_EQ(device->Release(), 0u);
        }
        if (direct3d) {
            EXPECT_EQ(direct3d->Release(), 0u);
        }
    }

    void createDevice(UINT width, UINT height, bool depth = true) {
        params = windowedParams(width, height, depth);
        ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
                  D3D_OK);
    }

    // The back buffer as A8R8G8B8 rows, top first.
    std::vector<DWORD> readBack(D3DSURFACE_DESC* descOut = nullptr) {
        IDirect3DSurface8* surface = nullptr;
        EXPECT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
        D3DSURFACE_DESC desc{};
        surface->GetDesc(&desc);
        if (descOut) *descOut = desc;
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
        std::vector<DWORD> pixels;
        for (UINT y = 0; y < desc.Height; ++y) {
            const auto* row = reinterpret_cast<const DWORD*>(
                static_cast<const std::uint8_t*>(locked.pBits) + y * UINT(locked.Pitch));
            pixels.insert(pixels.end(), row, row + desc.Width);
        }
        surface->UnlockRect();
        surface->Release();
        return pixels;
    }

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    D3DPRESENT_PARAMETERS params{};
};

TEST_F(GlDevice, ClearsToAColourAndReadsItBack) {
    createDevice(32, 16);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00336699, 1.0f, 0),
              D3D_OK);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);

    D3DSURFACE_DESC desc{};
    const std::vector<DWORD> pixels = readBack(&desc);
    EXPECT_EQ(desc.Width, 32u);
    EXPECT_EQ(desc.Height, 16u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(desc.Usage, D3DUSAGE_RENDERTARGET);
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    ASSERT_EQ(pixels.size(), 32u * 16u);
    for (DWORD pixel : pixels) ASSERT_EQ(pixel, 0xff336699u);  // X8 reads as opaque
}

TEST_F(GlDevice, ClearWithAViewportClearsOnlyTheViewportTopDown) {
    createDevice(16, 8);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff000000, 1.0f, 0);
    D3DVIEWPORT8 topHalf{0, 0, 16, 4, 0.0f, 1.0f};
    ASSERT_EQ(device->SetViewport(&topHalf), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xffff0000, 1.0f, 0);
    D3DVIEWPORT8 corner{12, 6, 4, 2, 0.0f, 1.0f};
    ASSERT_EQ(device->SetViewport(&corner), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff0000ff, 1.0f, 0);

    const std::vector<DWORD> pixels = readBack();
    EXPECT_EQ(pixels[0], 0xffff0000u);  // top row: the top half's red
    EXPECT_EQ(pixels[3 * 16 + 15], 0xffff0000u);
    EXPECT_EQ(pixels[4 * 16 + 0], 0xff000000u);  // first row below the viewport
    EXPECT_EQ(pixels[7 * 16 + 11], 0xff000000u);
    EXPECT_EQ(pixels[6 * 16 + 12], 0xff0000ffu);  // bottom-right corner
    EXPECT_EQ(pixels[7 * 16 + 15], 0xff0000ffu);
}

TEST_F(GlDevice, ClearRectanglesAreClippedToTheViewport) {
    createDevice(8, 8);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff000000, 1.0f, 0);
    D3DVIEWPORT8 left{0, 0, 4, 8, 0.0f, 1.0f};
    device->SetViewport(&left);
    const D3DRECT rects[] = {{2, 1, 8, 2}, {0, 5, 1, 6}};
    ASSERT_EQ(device->Clear(2, rects, D3DCLEAR_TARGET, 0xff00ff00, 1.0f, 0), D3D_OK);

    const std::vector<DWORD> pixels = readBack();
    EXPECT_EQ(pixels[1 * 8 + 2], 0xff00ff00u);
    EXPECT_EQ(pixels[1 * 8 + 3], 0xff00ff00u);
    EXPECT_EQ(pixels[1 * 8 + 4], 0xff000000u);  // outside the viewport
    EXPECT_EQ(pixels[5 * 8 + 0], 0xff00ff00u);
    EXPECT_EQ(pixels[0], 0xff000000u);
}

TEST_F(GlDevice, ALockedRectangleReadsThatAreaOnly) {
    createDevice(8, 8);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff000000, 1.0f, 0);
    const D3DRECT spot{5, 2, 6, 3};
    device->Clear(1, &spot, D3DCLEAR_TARGET, 0xffffffff, 1.0f, 0);

    IDirect3DSurface8* surface = nullptr;
    ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
    const RECT area{4, 2, 7, 4};
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(surface->LockRect(&locked, &area, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(locked.Pitch, 12);
    const auto* bits = static_cast<const DWORD*>(locked.pBits);
    EXPECT_EQ(bits[0], 0xff000000u);
    EXPECT_EQ(bits[1], 0xffffffffu);
    EXPECT_EQ(bits[3 + 1], 0xff000000u);
    EXPECT_EQ(surface->LockRect(&locked, &area, 0), D3DERR_INVALIDCALL);  // already locked
    EXPECT_EQ(surface->UnlockRect(), D3D_OK);
    const RECT outside{4, 2, 9, 4};
    EXPECT_EQ(surface->LockRect(&locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(surface->UnlockRect(), D3DERR_INVALIDCALL);
    surface->Release();
}

TEST_F(GlDevice, ResetResizesTheBackBufferAndRestoresTheDefaults) {
    createDevice(16, 16);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    D3DVIEWPORT8 small{0, 0, 4, 4, 0.0f, 1.0f};
    device->SetViewport(&small);

    D3DPRESENT_PARAMETERS bigger = windowedParams(40, 24);
    ASSERT_EQ(device->Reset(&bigger), D3D_OK);
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 40u);
    EXPECT_EQ(viewport.Height, 24u);
    DWORD zenable = 0;
    device->GetRenderState(D3DRS_ZENABLE, &zenable);
    EXPECT_EQ(zenable, DWORD(D3DZB_TRUE));

    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff102030, 1.0f, 0);
    D3DSURFACE_DESC desc{};
    const std::vector<DWORD> pixels = readBack(&desc);
    EXPECT_EQ(desc.Width, 40u);
    EXPECT_EQ(desc.Height, 24u);
    EXPECT_EQ(pixels.back(), 0xff102030u);
}

TEST_F(GlDevice, ResetIsRefusedWhileTheBackBufferIsHeld) {
    createDevice(8, 8);
    IDirect3DSurface8* surface = nullptr;
    device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface);
    D3DPRESENT_PARAMETERS again = windowedParams(8, 8);
    EXPECT_EQ(device->Reset(&again), D3DERR_INVALIDCALL);
    surface->Release();
    EXPECT_EQ(device->Reset(&again), D3D_OK);
}

TEST_F(GlDevice, DepthAndStencilClearsNeedTheBuffers) {
    createDevice(8, 8, false);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    DWORD zenable = 1;
    device->GetRenderState(D3DRS_ZENABLE, &zenable);
    EXPECT_EQ(zenable, DWORD(D3DZB_FALSE));  // no automatic depth buffer, no depth test
}

TEST_F(GlDevice, KeepsStateAndRefusesBadCalls) {
    createDevice(8, 8);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3D_OK);

    D3DVIEWPORT8 tooWide{4, 0, 8, 8, 0.0f, 1.0f};
    EXPECT_EQ(device->SetViewport(&tooWide), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR), D3D_OK);
    DWORD filter = 0;
    device->GetTextureStageState(0, D3DTSS_MAGFILTER, &filter);
    EXPECT_EQ(filter, DWORD(D3DTEXF_LINEAR));
    D3DMATRIX world{};
    world.m[0][0] = 2.0f;
    EXPECT_EQ(device->SetTransform(D3DTS_WORLD, &world), D3D_OK);
    D3DMATRIX read{};
    device->GetTransform(D3DTS_WORLD, &read);
    EXPECT_EQ(read.m[0][0], 2.0f);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    IDirect3DSurface8* surface = nullptr;
    EXPECT_EQ(device->GetBackBuffer(1, D3DBACKBUFFER_TYPE_MONO, &surface), D3DERR_INVALIDCALL);
}

TEST_F(GlDevice, ObjectsHoldTheirParents) {
    createDevice(8, 8);
    IDirect3D8* parent = nullptr;
    ASSERT_EQ(device->GetDirect3D(&parent), D3D_OK);
    EXPECT_EQ(parent, direct3d);
    EXPECT_EQ(parent->Release(), 2u);  // ours and the device's

    IDirect3DSurface8* surface = nullptr;
    device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface);
    EXPECT_EQ(device->Release(), 1u);  // the surface keeps it
    device = nullptr;
    EXPECT_EQ(surface->Release(), 0u);
    EXPECT_EQ(direct3d->Release(), 0u);
    direct3d = nullptr;
}

TEST_F(GlDevice, DisplayModeOfAWindowedDeviceIsTheDesktop) {
    createDevice(8, 8);
    D3DDISPLAYMODE desktop{}, mode{};
    ASSERT_EQ(direct3d->GetAdapterDisplayMode(0, &desktop), D3D_OK);
    ASSERT_EQ(device->GetDisplayMode(&mode), D3D_OK);
    EXPECT_EQ(mode.Width, desktop.Width);
    EXPECT_EQ(mode.Format, desktop.Format);
}

}  // namespace
