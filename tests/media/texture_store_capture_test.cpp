// Capture textures: render targets in the default pool, released and
// rebuilt around a device reset.
#include "texture_store_fixture.h"

namespace {

TEST_F(TextureStoreTest, ACaptureTextureIsARenderTargetCheckedAgainstTheDisplayMode) {
    EXPECT_EQ(store.createCaptureTexture("rt", 256, 128), 0);
    const RecordedCall* check = log.first("CheckDeviceFormat");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->args,
              (std::vector<double>{0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_RENDERTARGET,
                                   D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8}));
    EXPECT_EQ(log.first("CreateTexture")->args,
              (std::vector<double>{256, 128, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                   D3DPOOL_DEFAULT}));
    EXPECT_EQ(store.entry(0).kind, textureKindCapture);
    EXPECT_EQ(store.imageInfo(0)->Width, 256u);
    EXPECT_EQ(store.imageInfo(0)->Height, 128u);
    EXPECT_EQ(store.imageInfo(0)->Format, D3DFMT_A8R8G8B8);
}

TEST_F(TextureStoreTest, AroundAResetOnlyCaptureTexturesGoAndComeBackAtTheirSize) {
    writeData("file.bmp", plainBmp(2, 2, 0));
    ASSERT_EQ(store.loadTexture("file.bmp"), 0);
    ASSERT_EQ(store.createCaptureTexture("rt", 64, 32), 1);
    IDirect3DTexture8* file = store.texture(0);
    store.invalidateDeviceObjects();
    EXPECT_EQ(store.texture(0), file);
    EXPECT_EQ(store.texture(1), nullptr);
    // With the render target gone the device can be reset.
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 320;
    params.BackBufferHeight = 240;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    EXPECT_EQ(device->Reset(&params), D3D_OK);
    log.clear();
    store.restoreDeviceObjects();
    ASSERT_NE(store.texture(1), nullptr);
    EXPECT_EQ(store.find("rt"), 1);
    EXPECT_EQ(
        log.first("CreateTexture")->args,
        (std::vector<double>{64, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT}));
    EXPECT_EQ(log.count("CreateTexture"), 1u);  // the file texture survived as it was
}

TEST_F(TextureStoreTest, AResetFailsWhileACaptureTextureIsKept) {
    ASSERT_EQ(store.createCaptureTexture("rt", 64, 64), 0);
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    EXPECT_EQ(device->Reset(&params), D3DERR_INVALIDCALL);
}

TEST_F(TextureStoreTest, CaptureTexturesTheDeviceCannotMakeAreReported) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(store.createCaptureTexture("zero", 0, 64), -1);
    EXPECT_EQ(store.createCaptureTexture("negative", -5, 64), -1);
    EXPECT_EQ(store.createCaptureTexture("huge", 1, 100000), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to create capture texture\n"
              "Failed to create capture texture\n"
              "Failed to create capture texture\n");
    EXPECT_EQ(store.count(), 0);
}

class CaptureFormatRefused : public TextureStoreTest {
  protected:
    void SetUp() override {
        config.adapters[0].hal.textureFormats = {D3DFMT_R5G6B5};
        TextureStoreTest::SetUp();
    }
};

TEST_F(CaptureFormatRefused, NoTextureIsMadeAndARebuildFailsQuietly) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(store.createCaptureTexture("rt", 64, 64), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to create capture texture\n");
    EXPECT_EQ(log.count("CreateTexture"), 0u);
}

}  // namespace
