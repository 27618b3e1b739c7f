// Capture layers on the recording device: the shared depth surface, the
// calls that switch the target and back, what is drawn where, and the
// orders of layers the script may get wrong.
#include "effects/capture_effect.h"

#include "app/current_device.h"
#include "effects/capture_surfaces.h"
#include "effects_fixture.h"

namespace {

class CaptureEffectTest : public EffectsTest {
  protected:
    void SetUp() override {
        EffectsTest::SetUp();
        ASSERT_EQ(textureStore().createCaptureTexture("rt", 256, 256), 0);
        log.clear();
    }

    // The back buffer's own surfaces, without keeping references.
    IDirect3DSurface8* renderTarget() {
        IDirect3DSurface8* surface = nullptr;
        device->GetRenderTarget(&surface);
        surface->Release();
        return surface;
    }
    IDirect3DSurface8* depth() {
        IDirect3DSurface8* surface = nullptr;
        if (FAILED(device->GetDepthStencilSurface(&surface))) return nullptr;
        surface->Release();
        return surface;
    }
    std::vector<DWORD> texturePixels() {
        D3DLOCKED_RECT locked{};
        IDirect3DTexture8* texture = textureStore().texture(0);
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        const auto* bits = static_cast<const DWORD*>(locked.pBits);
        std::vector<DWORD> pixels(bits, bits + 256 * 256);
        texture->UnlockRect(0);
        return pixels;
    }
};

TEST_F(CaptureEffectTest, LayerArgumentsNameTheTextureAndTellBeginFromEnd) {
    testing::internal::CaptureStdout();
    ASSERT_EQ(run("layer(3, 'rt', 0)\nlayer(3, 'rt', 1)\nlayer(3, 'rt', 0.5)\n"
                  "layer(3, 'rt')\nlayer(3, 'none', 0)"),
              0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "There is no capture texture named none created");
    EXPECT_TRUE(effect<CaptureEffect>(0).beginsCapture);
    EXPECT_FALSE(effect<CaptureEffect>(1).beginsCapture);
    EXPECT_FALSE(effect<CaptureEffect>(2).beginsCapture);  // only exactly 0 begins
    EXPECT_TRUE(effect<CaptureEffect>(3).beginsCapture);   // a missing number reads as 0
    EXPECT_EQ(effect<CaptureEffect>(0).textureIndex, 0);
    EXPECT_EQ(effect<CaptureEffect>(4).textureIndex, -1);
}

// One 512 x 512 surface in the device's depth format, made once for all
// capture layers and given back by the first one destroyed.
TEST_F(CaptureEffectTest, TheSharedDepthSurfaceIsMadeOnceAndGivenBackOnce) {
    ASSERT_EQ(run("layer(3, 'rt', 0)\nlayer(3, 'rt', 1)"), 0);
    log.clear();
    prepareLayers();
    // The device's own reference counts move with the surfaces' outside references.
    EXPECT_EQ(callNames("Device"),
              (std::vector<std::string>{"AddRef", "GetDepthStencilSurface", "Release", "AddRef",
                                        "CreateDepthStencilSurface"}));
    EXPECT_EQ(callNames("Surface"), (std::vector<std::string>{"AddRef", "GetDesc", "Release"}));
    EXPECT_EQ(log.first("CreateDepthStencilSurface")->args,
              (std::vector<double>{512, 512, D3DFMT_D24S8, D3DMULTISAMPLE_NONE}));
    ASSERT_NE(sharedCaptureDepth, nullptr);
    log.clear();
    layerTable().clear();
    EXPECT_EQ(sharedCaptureDepth, nullptr);
    EXPECT_EQ(callNames("Surface"), (std::vector<std::string>{"Release"}));
}

TEST_F(CaptureEffectTest, BeginAndEndSwitchTheTargetAndBack) {
    ASSERT_EQ(run("layer(3, 'rt', 0)\nlayer(3, 'rt', 1)"), 0);
    prepareLayers();
    IDirect3DSurface8* backBuffer = renderTarget();
    IDirect3DSurface8* backDepth = depth();
    IDirect3DSurface8* captureDepth = sharedCaptureDepth;
    IDirect3DSurface8* level = nullptr;
    textureStore().texture(0)->GetSurfaceLevel(0, &level);
    level->Release();
    device->BeginScene();
    log.clear();
    effect<CaptureEffect>(0).render(0, 0);
    const RecordedCall* set = log.first("SetRenderTarget");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->args, (std::vector<double>{address(level), address(captureDepth)}));
    EXPECT_EQ(renderTarget(), level);
    EXPECT_EQ(depth(), captureDepth);
    EXPECT_EQ(sharedCaptureDepth, backDepth);
    EXPECT_EQ(savedRenderTarget, backBuffer);
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 256u);  // layers between map their screen onto the texture

    log.clear();
    effect<CaptureEffect>(1).render(0, 0);
    EXPECT_EQ(log.first("SetRenderTarget")->args,
              (std::vector<double>{address(backBuffer), address(backDepth)}));
    EXPECT_EQ(renderTarget(), backBuffer);
    EXPECT_EQ(depth(), backDepth);
    EXPECT_EQ(sharedCaptureDepth, captureDepth);
}

// Clears act on the target current when their layer renders: the begin
// layer's on the screen, the next layer's on the texture.
TEST_F(CaptureEffectTest, LayersBetweenBeginAndEndDrawIntoTheTexture) {
    ASSERT_EQ(run("c = layer(3, 'rt', 0)\ni = layer(0)\ne = layer(3, 'rt', 1)"), 0);
    for (int id = 0; id < 3; ++id) layerTable().layer(id).addInterval(0);
    layerTable().layer(0).setLastClear(D3DCLEAR_TARGET);
    layerTable().layer(1).setLastClear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
    prepareLayers();
    clearColour = 0xff00ff00;
    device->BeginScene();
    layerTable().renderAll(1.0f);
    for (DWORD pixel : texturePixels()) ASSERT_EQ(pixel, 0xff00ff00u);
    // The back buffer was cleared by the begin layer, before the capture.
    EXPECT_EQ(log.named("Clear").size(), 2u);
    clearColour = 0;
}

TEST_F(CaptureEffectTest, AMissingTextureMakesBothLayersDoNothing) {
    testing::internal::CaptureStdout();
    ASSERT_EQ(run("layer(3, 'gone', 0)\nlayer(3, 'gone', 1)"), 0);
    testing::internal::GetCapturedStdout();
    prepareLayers();
    log.clear();
    effect<CaptureEffect>(0).render(0, 0);
    effect<CaptureEffect>(1).render(0, 0);
    EXPECT_EQ(log.size(), 0u);
}

// Orders the script may get wrong leave the device on its own target and
// lose no surface: an end with nothing to end, a begin while capturing.
TEST_F(CaptureEffectTest, UnpairedLayersLeaveTheTargetsIntact) {
    ASSERT_EQ(run("layer(3, 'rt', 1)\nlayer(3, 'rt', 0)\nlayer(3, 'rt', 0)"), 0);
    prepareLayers();
    IDirect3DSurface8* backBuffer = renderTarget();
    IDirect3DSurface8* captureDepth = sharedCaptureDepth;
    device->BeginScene();
    effect<CaptureEffect>(0).render(0, 0);
    EXPECT_EQ(renderTarget(), backBuffer);
    EXPECT_EQ(sharedCaptureDepth, captureDepth);
    effect<CaptureEffect>(1).render(0, 0);
    effect<CaptureEffect>(2).render(0, 0);  // a second begin does nothing
    EXPECT_EQ(savedRenderTarget, backBuffer);
    // Destroying the layers mid-capture ends the capture first.
    layerTable().clear();
    EXPECT_EQ(renderTarget(), backBuffer);
    EXPECT_EQ(sharedCaptureDepth, nullptr);
}

// A texture larger than the shared depth surface cannot be drawn into; the
// begin layer leaves everything as it was.
TEST_F(CaptureEffectTest, ATextureLargerThanTheDepthSurfaceIsNotCaptured) {
    ASSERT_EQ(textureStore().createCaptureTexture("big", 1024, 512), 1);
    ASSERT_EQ(run("layer(3, 'big', 0)\nlayer(3, 'big', 1)"), 0);
    prepareLayers();
    IDirect3DSurface8* backBuffer = renderTarget();
    IDirect3DSurface8* captureDepth = sharedCaptureDepth;
    device->BeginScene();
    effect<CaptureEffect>(0).render(0, 0);
    EXPECT_EQ(renderTarget(), backBuffer);
    EXPECT_EQ(sharedCaptureDepth, captureDepth);
    effect<CaptureEffect>(1).render(0, 0);
    EXPECT_EQ(sharedCaptureDepth, captureDepth);
}

// Closing runs the device-lost hook before the layers are destroyed: a
// later device must not get a depth surface no capture layer will give back.
TEST_F(CaptureEffectTest, LayersDestroyedAfterALossLeaveNothingToRestore) {
    ASSERT_EQ(run("layer(3, 'rt', 0)\nlayer(3, 'rt', 1)"), 0);
    prepareLayers();
    invalidateCaptureSurfaces(device);
    layerTable().clear();
    restoreCaptureSurfaces(device);
    EXPECT_EQ(sharedCaptureDepth, nullptr);
}

TEST_F(CaptureEffectTest, AroundAResetTheSharedDepthSurfaceGoesAndComesBack) {
    ASSERT_EQ(run("layer(3, 'rt', 0)\nlayer(3, 'rt', 1)"), 0);
    prepareLayers();
    textureStore().invalidateDeviceObjects();
    invalidateCaptureSurfaces(device);
    EXPECT_EQ(sharedCaptureDepth, nullptr);
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 320;
    params.BackBufferHeight = 240;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D16;
    ASSERT_EQ(device->Reset(&params), D3D_OK);
    textureStore().restoreDeviceObjects();
    restoreCaptureSurfaces(device);
    ASSERT_NE(sharedCaptureDepth, nullptr);
    D3DSURFACE_DESC desc{};
    sharedCaptureDepth->GetDesc(&desc);
    EXPECT_EQ(desc.Format, D3DFMT_D16);
    EXPECT_EQ(desc.Width, 512u);
    device->BeginScene();
    effect<CaptureEffect>(0).render(0, 0);
    IDirect3DSurface8* level = nullptr;
    textureStore().texture(0)->GetSurfaceLevel(0, &level);
    EXPECT_EQ(renderTarget(), level);
    level->Release();
    effect<CaptureEffect>(1).render(0, 0);
}

}  // namespace
