// The GL backend's Direct3D object: adapters and modes from SDL, format
// checks, caps, and device creation failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/gl/gl_adapters.h"

namespace {

class GlDirect3D : public ::testing::Test {
  protected:
    void SetUp() override {
        direct3d = Direct3DCreate8(D3D_SDK_VERSION);
        if (direct3d == nullptr) GTEST_SKIP() << "no video driver";
    }
    void TearDown() override {
        if (direct3d) direct3d->Release();
    }
    IDirect3D8* direct3d = nullptr;
};

TEST_F(GlDirect3D, OffersAdaptersWithUsableModes) {
    ASSERT_GE(direct3d->GetAdapterCount(), 1u);
    D3DADAPTER_IDENTIFIER8 identifier{};
    ASSERT_EQ(direct3d->GetAdapterIdentifier(0, 0, &identifier), D3D_OK);
    EXPECT_STREQ(identifier.Driver, "OpenGL");
    EXPECT_GT(std::strlen(identifier.Description), 0u);

    const UINT count = direct3d->GetAdapterModeCount(0);
    ASSERT_GT(count, 0u);
    bool has640x480 = false;
    for (UINT i = 0; i < count; ++i) {
        D3DDISPLAYMODE mode{};
        ASSERT_EQ(direct3d->EnumAdapterModes(0, i, &mode), D3D_OK);
        EXPECT_TRUE(mode.Format == D3DFMT_X8R8G8B8 || mode.Format == D3DFMT_R5G6B5 ||
                    mode.Format == D3DFMT_X1R5G5B5);
        has640x480 = has640x480 || (mode.Width == 640 && mode.Height == 480);
    }
    if (isHeadlessDriver(SDL_GetCurrentVideoDriver())) {
        EXPECT_TRUE(has640x480);
    }
    D3DDISPLAYMODE mode{};
    EXPECT_EQ(direct3d->EnumAdapterModes(0, count, &mode), D3DERR_INVALIDCALL);

    D3DDISPLAYMODE desktop{};
    ASSERT_EQ(direct3d->GetAdapterDisplayMode(0, &desktop), D3D_OK);
    EXPECT_GT(desktop.Width, 0u);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, desktop.Format, desktop.Format, TRUE),
              D3D_OK);
}

TEST_F(GlDirect3D, ChecksDisplayDepthAndTextureFormats) {
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, FALSE),
              D3D_OK);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, FALSE),
              D3D_OK);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_X8R8G8B8, FALSE),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8, FALSE),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_SW, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, TRUE),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceType(9, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, TRUE),
              D3DERR_INVALIDCALL);

    for (D3DFORMAT depth : {D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D32}) {
        EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                              D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, depth),
                  D3D_OK);
        EXPECT_EQ(direct3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5,
                                                   depth),
                  D3D_OK);
    }
    EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL,
                                          D3DRTYPE_SURFACE, D3DFMT_D15S1),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL,
                                          D3DRTYPE_SURFACE, D3DFMT_X8R8G8B8),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_RENDERTARGET,
                                          D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8),
              D3D_OK);
    EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_RENDERTARGET,
                                          D3DRTYPE_TEXTURE, D3DFMT_A8),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE,
                                          D3DFMT_A4R4G4B4),
              D3D_OK);
    EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE,
                                          D3DFMT_P8),
              D3DERR_NOTAVAILABLE);
}

TEST_F(GlDirect3D, CapsDistinguishHardwareFromReference) {
    D3DCAPS8 hal{}, ref{};
    ASSERT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &hal), D3D_OK);
    ASSERT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_REF, &ref), D3D_OK);
    EXPECT_EQ(hal.DeviceType, D3DDEVTYPE_HAL);
    EXPECT_TRUE(hal.Caps2 & D3DCAPS2_CANRENDERWINDOWED);
    EXPECT_TRUE(hal.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_TRUE(hal.DevCaps & D3DDEVCAPS_HWRASTERIZATION);
    EXPECT_FALSE(ref.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_TRUE(ref.Caps2 & D3DCAPS2_CANRENDERWINDOWED);
    EXPECT_EQ(hal.MaxTextureBlendStages, 8u);
    EXPECT_EQ(hal.MaxSimultaneousTextures, 8u);
    EXPECT_EQ(hal.MaxActiveLights, 8u);
    EXPECT_GE(hal.MaxTextureWidth, 2048u);
    EXPECT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_SW, &hal), D3DERR_NOTAVAILABLE);
}

TEST_F(GlDirect3D, CreateDeviceRefusesWhatItCannotMake) {
    D3DPRESENT_PARAMETERS params{};
    params.Windowed = TRUE;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    IDirect3DDevice8* device = nullptr;
    // No window to take the size from, and none given.
    EXPECT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3DERR_INVALIDCALL);
    params.BackBufferWidth = 16;
    params.BackBufferHeight = 16;
    EXPECT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &params, &device),
              D3DERR_INVALIDCALL);  // no vertex processing chosen
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_UNKNOWN;
    EXPECT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device, nullptr);

    params.AutoDepthStencilFormat = D3DFMT_D16;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_REF, nullptr,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device),
              D3D_OK);
    EXPECT_EQ(params.BackBufferCount, 1u);  // completed as Direct3D does
    device->Release();
}

TEST(GlDirect3DCreate, RefusesAnotherSdkVersion) {
    EXPECT_EQ(Direct3DCreate8(120), nullptr);
}

TEST(GlAdapters, SdlPixelFormatsMapToDirect3D) {
    EXPECT_EQ(d3dFormatOfSdl(SDL_PIXELFORMAT_RGB888), D3DFMT_X8R8G8B8);
    EXPECT_EQ(d3dFormatOfSdl(SDL_PIXELFORMAT_ARGB8888), D3DFMT_A8R8G8B8);
    EXPECT_EQ(d3dFormatOfSdl(SDL_PIXELFORMAT_RGB565), D3DFMT_R5G6B5);
    EXPECT_EQ(d3dFormatOfSdl(SDL_PIXELFORMAT_RGB555), D3DFMT_X1R5G5B5);
    EXPECT_EQ(d3dFormatOfSdl(SDL_PIXELFORMAT_ARGB2101010), D3DFMT_UNKNOWN);
    // A display has no alpha; a desktop in a format Direct3D lacks still hosts windows.
    EXPECT_EQ(displayFormatOfSdl(SDL_PIXELFORMAT_ARGB8888), D3DFMT_X8R8G8B8);
    EXPECT_EQ(displayFormatOfSdl(SDL_PIXELFORMAT_ARGB2101010), D3DFMT_UNKNOWN);
    EXPECT_EQ(desktopFormatOfSdl(SDL_PIXELFORMAT_ARGB2101010), D3DFMT_X8R8G8B8);
    EXPECT_EQ(desktopFormatOfSdl(SDL_PIXELFORMAT_RGB565), D3DFMT_R5G6B5);
}

TEST(GlAdapters, HeadlessDriversGetTheCommonModes) {
    EXPECT_TRUE(isHeadlessDriver("offscreen"));
    EXPECT_TRUE(isHeadlessDriver("dummy"));
    EXPECT_TRUE(isHeadlessDriver(nullptr));
    EXPECT_FALSE(isHeadlessDriver("x11"));
    const std::vector<D3DDISPLAYMODE> modes = commonDisplayModes();
    EXPECT_EQ(modes.size(), 14u);
    const auto has = [&](UINT w, UINT h, D3DFORMAT f) {
        return std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& m) {
            return m.Width == w && m.Height == h && m.Format == f;
        });
    };
    EXPECT_TRUE(has(640, 480, D3DFMT_X8R8G8B8));
    EXPECT_TRUE(has(640, 400, D3DFMT_R5G6B5));
    EXPECT_TRUE(has(1920, 1080, D3DFMT_X8R8G8B8));
}

}  // namespace
